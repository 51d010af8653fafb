#include "ui/bitmap_strip.h"

CBitmapStrip::CBitmapStrip() : m_dc(CreateCompatibleDC(nullptr)) {}

CBitmapStrip::~CBitmapStrip() {
    Release();
}

// The bitmap must leave the context before either is deleted.
void CBitmapStrip::Release() {
    if (!m_bitmap) return;
    SelectObject(m_dc.get(), m_hPrevious);
    m_hPrevious = nullptr;
    m_bitmap.reset();
}

void CBitmapStrip::Attach(HBITMAP bitmap, int frameWidth) {
    Release();
    m_bitmap.reset(bitmap);
    m_nFrameWidth = frameWidth;
    GetObjectA(bitmap, sizeof m_info, &m_info);
    m_nFrameHeight = m_info.bmHeight;
    m_hPrevious = SelectObject(m_dc.get(), bitmap);
}

void CBitmapStrip::DrawFrame(HDC target, int x, int y, int index) const {
    if (!m_bitmap) return;
    BitBlt(target, x, y, m_nFrameWidth, m_nFrameHeight, m_dc.get(), index * m_nFrameWidth, 0,
           SRCCOPY);
}
