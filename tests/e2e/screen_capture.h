#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
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

// A program's drawing reaches the screen a moment after it is made: captures until one passes
// the check and gives it, or gives the last one when the time is up.
Capture CaptureWhen(HWND window, const std::function<bool(const Capture&)>& ready,
                    std::chrono::milliseconds timeout = std::chrono::seconds(2));
