#include "ui/bitmap_strip.h"

BitmapStrip::BitmapStrip() : m_dc(CreateCompatibleDC(nullptr)) {}

BitmapStrip::~BitmapStrip() {
    Release();
}

// The bitmap must leave the context before either is deleted.
void BitmapStrip::Release() {
    if (!m_bitmap) return;
    SelectObject(m_dc.get(), m_previous);
    m_previous = nullptr;
    m_bitmap.reset();
}

void BitmapStrip::Attach(HBITMAP bitmap, int frameWidth) {
    Release();
    m_bitmap.reset(bitmap);
    m_frameWidth = frameWidth;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    m_frameHeight = info.bmHeight;
    m_previous = SelectObject(m_dc.get(), bitmap);
}

void BitmapStrip::DrawFrame(HDC target, int x, int y, int index) const {
    if (!m_bitmap) return;
    const COLORREF background = GetPixel(m_dc.get(), 0, 0);
    GdiTransparentBlt(target, x, y, m_frameWidth, m_frameHeight, m_dc.get(), index * m_frameWidth,
                      0, m_frameWidth, m_frameHeight, background);
}
