#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/handles.h"
#include "framework/window.h"

// A static text of a page that acts as a link: underlined in the link color, the hover color
// while the mouse is over it, a hand pointer and a tooltip with its target, shrunk to its text,
// and opening its target when clicked, or when Enter or Space is pressed while it has the focus.
class Hyperlink : public Window {
  public:
    // As a hover color: the system's highlight color at the time of the call.
    static constexpr COLORREF kHighlightHover = static_cast<COLORREF>(-1);

    Hyperlink();
    ~Hyperlink() override;

    void SetURL(const std::string& url);
    void SetColors(COLORREF link, COLORREF visited, COLORREF hover);
    COLORREF GetLinkColor() const { return m_linkColor; }
    void SetVisited(bool visited);
    // The pointer over the link; the caller keeps it alive while the link shows.
    void SetLinkCursor(HCURSOR cursor);

  protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void SetUnderlinedFont();
    void PositionWindow();
    void CreateToolTip();
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(LPARAM position);
    void OnCaptureChanged(HWND newCapture);
    void OnClicked();
    RECT FocusRoom() const;
    void DrawFocusCue();
    void RedrawWithFocusRoom();
    COLORREF TextColor() const;

    COLORREF m_linkColor = RGB(0, 0, 238);
    COLORREF m_visitedColor = RGB(85, 26, 139);
    COLORREF m_hoverColor;
    bool m_overControl = false;
    bool m_visited = false;
    bool m_underline = true;
    bool m_adjustToFit = true;
    std::string m_target;
    OwnedGdiObject m_font;
    HCURSOR m_linkCursor = nullptr;
    OwnedWindow m_toolTip;
};
