#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/dialog_base.h"

// One page of a property sheet, from a child dialog template whose caption names its tab.
class PropertyPage : public DialogBase {
  public:
    using DialogBase::DialogBase;

    PROPSHEETPAGEW Describe();

  protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
