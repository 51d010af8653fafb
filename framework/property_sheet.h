#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/window.h"

class CPropertyPage;

// The sheet's standard Apply button; a modeless sheet hides it.
inline constexpr int kApplyNowId = 0x3021;

// A modeless property sheet: a top-level window with one tab per page.
class CPropertySheet : public CWnd {
  public:
    explicit CPropertySheet(std::string caption) : caption_(std::move(caption)) {}

    void AddPage(CPropertyPage& page) { pages_.push_back(&page); }
    void SetTitle(std::string caption) { caption_ = std::move(caption); }

    // Creates the sheet window with this style and no extended style; false when it failed.
    bool Create(DWORD style);

    HWND GetTabControl() const;

    bool PreTranslateMessage(MSG* message) override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Lets the system build the sheet, then removes the standard buttons a modeless sheet
    // does not use.
    virtual BOOL OnInitDialog();
    // True when the command was handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

  private:
    static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

    std::string caption_;
    std::vector<CPropertyPage*> pages_;
};
