#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/window.h"
#include "ui/bitmap_strip.h"
#include "ui/lamp_facts.h"
#include "ui/lamp_picture.h"
#include "ui/led_layout.h"

// A check box of a page's layout taken over to show a lamp: a two-frame bitmap (unlit, lit)
// with the caption beside it. Only the program sets its state; clicks change nothing. A screen
// reader hears it as an indicator that is checked while lit, and hears it change.
class LedButton : public Window {
  public:
    LedButton(bool lit, bool centeredVertically);

    // Loads bitmap resource id as the lamp; frames are frameWidth wide. A bitmap that does
    // not load leaves the lamp as it was. At any scale but 100 % the lamp is painted instead,
    // lit in color, its frames frameWidth scaled.
    void SetBitmap(int id, int frameWidth, LampColor color = LampColor::kRed);

    // The lamp is now drawn at dpi: painted again at its size and placed again.
    void SetDpi(int dpi);

    // Redraws at once and tells screen readers only when the state changes.
    void SetLampState(bool lit);
    // The words a screen reader says for the lamp's state.
    void SetStateTexts(const std::string& lit, const std::string& unlit);

    const RECT& CaptionRect() const { return m_rcText; }

    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    HBITMAP LoadLamp() const;
    void PlaceForDpi();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawLamp(HDC dc) const;
    void DrawCaption(HDC dc);

    LedLayout m_layout;
    RECT m_rcText{};
    // Shared with the answers given to screen readers, which may outlive the control.
    std::shared_ptr<LampFacts> m_facts = std::make_shared<LampFacts>();
    bool m_centeredVertically;
    int m_dpi;
    int m_bitmapId = 0;
    int m_frameWidth = 0;  // at 100 %
    LampColor m_color = LampColor::kRed;
    BitmapStrip m_strip;
};
