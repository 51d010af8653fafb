#include "tests/e2e/screen_capture.h"

#include <algorithm>

#include "base/handles.h"

Capture::Capture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    m_width = client.right;
    m_height = client.bottom;
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    OwnedDc memory(CreateCompatibleDC(nullptr));
    OwnedGdiObject bitmap(CreateBitmap(m_width, m_height, 1, 32, nullptr));
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    HDC screen = GetDC(nullptr);
    BitBlt(memory.get(), 0, 0, m_width, m_height, screen, corner.x, corner.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    m_pixels.resize(static_cast<std::size_t>(m_width) * m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            m_pixels[static_cast<std::size_t>(y) * m_width + x] = GetPixel(memory.get(), x, y);
    SelectObject(memory.get(), previous);
}

RECT Capture::Unlike(COLORREF color, RECT region) const {
    RECT box{region.right, region.bottom, region.left, region.top};
    for (int y = std::max(0L, region.top); y < std::min<LONG>(m_height, region.bottom); ++y)
        for (int x = std::max(0L, region.left); x < std::min<LONG>(m_width, region.right); ++x) {
            if (At(x, y) == color) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
}

Capture CaptureWhen(HWND window, const std::function<bool(const Capture&)>& ready,
                    std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Capture shot(window);
        if (ready(shot) || std::chrono::steady_clock::now() > deadline) return shot;
        Sleep(20);
    }
}
