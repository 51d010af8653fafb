#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/handles.h"
#include "framework/window.h"

// A push button of a page's layout taken over and drawn as a raised 3-D button with a black
// outer frame, an icon at the left and the caption centered in the rest.
class IconButton : public Window {
  public:
    IconButton();

    // Loads the icon shown while pressed and the one shown otherwise (0: the same picture)
    // from the program's resources, frees the previous ones and redraws at once. Each is the
    // size its first image is made for, scaled to the button's scale.
    void SetIcon(int hotId, int normalId);

    // The button is now drawn at dpi: the icons are loaded again at its size.
    void SetDpi(int dpi);

    int IconWidth() const { return m_cxIcon; }
    int IconHeight() const { return m_cyIcon; }

    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawRaisedEdge(HDC dc, const RECT& face) const;
    void DrawIcon(HDC dc, const RECT& item, bool withCaption, bool pressed, bool disabled) const;
    void DrawCaption(HDC dc, const std::string& caption, const RECT& item, bool pressed,
                     bool disabled) const;

    int m_dpi;
    int m_hotId = 0;
    int m_normalId = 0;
    OwnedIcon m_iconHot;
    OwnedIcon m_iconNormal;  // empty when the hot icon serves both states
    std::uint8_t m_cxIcon = 0;
    std::uint8_t m_cyIcon = 0;
};
