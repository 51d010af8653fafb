#pragma once

#include <windows.h>

#include "framework/handles.h"

// A horizontal strip of equally wide frames, kept selected in a memory device context so a
// frame can be copied out at any time.
class CBitmapStrip {
  public:
    CBitmapStrip();
    CBitmapStrip(const CBitmapStrip&) = delete;
    CBitmapStrip& operator=(const CBitmapStrip&) = delete;
    ~CBitmapStrip();

    // Takes the bitmap over; frames are frameWidth wide and as high as the bitmap.
    void Attach(HBITMAP bitmap, int frameWidth);

    bool IsLoaded() const { return static_cast<bool>(m_bitmap); }
    int FrameWidth() const { return m_nFrameWidth; }
    int FrameHeight() const { return m_nFrameHeight; }

    // Copies frame index to (x, y) in target.
    void DrawFrame(HDC target, int x, int y, int index) const;

  private:
    void Release();

    OwnedDc m_dc;
    OwnedGdiObject m_bitmap;
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
    HGDIOBJ m_hPrevious = nullptr;
    BITMAP m_info{};
};
