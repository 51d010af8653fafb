#pragma once

#include <windows.h>

#include "base/handles.h"

// A horizontal strip of equally wide frames, kept selected in a memory device context so a
// frame can be copied out at any time.
class BitmapStrip {
  public:
    BitmapStrip();
    BitmapStrip(const BitmapStrip&) = delete;
    BitmapStrip& operator=(const BitmapStrip&) = delete;
    ~BitmapStrip();

    // Takes the bitmap over; frames are frameWidth wide and as high as the bitmap.
    void Attach(HBITMAP bitmap, int frameWidth);

    int FrameWidth() const { return m_frameWidth; }
    int FrameHeight() const { return m_frameHeight; }

    // Copies frame index to (x, y) in target, leaving out the pixels of the strip's background
    // (the color of its top-left pixel), so what target shows there stays.
    void DrawFrame(HDC target, int x, int y, int index) const;

  private:
    void Release();

    OwnedDc m_dc;
    OwnedGdiObject m_bitmap;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    HGDIOBJ m_previous = nullptr;
};
