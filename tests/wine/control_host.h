#pragma once

#include <windows.h>

#include <map>
#include <utility>
#include <vector>

#include "base/handles.h"

// A visible top-level window that holds controls under test and reflects their owner-draw and
// color notifications to them, as the program's pages do. It counts what it is told.
class ControlHost {
  public:
    ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;
    ~ControlHost();

    HWND Window() const { return m_window; }
    // A child control with the dialog font, client size width x height at (x, y); a wide
    // window, as the program's are, with the UTF-8 text.
    HWND AddControl(const char* className, const char* text, DWORD style, int id, int x, int y,
                    int width, int height);

    int DrawCount(int id) const;
    int CommandCount(int id, int code) const;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    std::map<int, int> m_draws;
    std::vector<std::pair<int, int>> m_commands;
};

// A 32-bit memory bitmap to draw into and read back.
class Canvas {
  public:
    Canvas(int width, int height);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    HDC Dc() const { return m_dc.get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Fill(COLORREF color);
    COLORREF At(int x, int y) const { return GetPixel(m_dc.get(), x, y); }

    // The smallest rectangle holding every pixel of color (empty when none is).
    RECT BoundsOf(COLORREF color) const;
    // The smallest rectangle holding every pixel that is not color, within area.
    RECT BoundsOfAllBut(COLORREF color, const RECT& area) const;

  private:
    int m_width;
    int m_height;
    OwnedDc m_dc;
    OwnedGdiObject m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

inline bool IsEmpty(const RECT& rect) {
    return rect.left >= rect.right || rect.top >= rect.bottom;
}

// A color no control draws, to see what a drawing left alone.
inline constexpr COLORREF kUntouched = RGB(1, 2, 3);

// Asks the control's parent to have it drawn into the canvas, as the system does for an
// owner-drawn button: the control's font selected, the whole client rectangle as the item.
void DrawControl(HWND control, Canvas& canvas, UINT state, UINT action = ODA_DRAWENTIRE);
