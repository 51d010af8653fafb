#pragma once

#include <windows.h>

#include <vector>

// A window's client area as the screen shows it.
class Capture {
  public:
    explicit Capture(HWND window);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at (x, y) of the client area.
    COLORREF At(int x, int y) const { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }

    // The smallest rectangle within region that holds every pixel unlike color.
    RECT Unlike(COLORREF color, RECT region) const;

  private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};
