#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "base/wide_text.h"
#include "framework/window.h"

class PropertyPage;

// A modeless property sheet: a top-level window with one tab per page.
class ModelessSheet : public Window {
  public:
    explicit ModelessSheet(const std::string& caption) : m_caption(ToWide(caption)) {}

    void AddPage(PropertyPage& page) { m_pages.push_back(&page); }

    // Creates the sheet window with this style and no extended style; false when it failed.
    bool Create(DWORD style);

    HWND GetTabControl() const;

    bool PreTranslateMessage(MSG* message) override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Lets the system build the sheet, then grows it to hold every page. The sheet is built
    // without the OK and Cancel buttons that a modeless sheet does not use (it has no Apply
    // button, and Help only shows when asked for).
    virtual BOOL OnInitDialog();
    // True when the command was handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

  private:
    void GrowToHoldPages();
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

    WideString m_caption;
    std::vector<PropertyPage*> m_pages;
    // Watches this thread's window creation until the sheet window is made.
    OwnedHook m_creationHook;
};
