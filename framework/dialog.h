#pragma once

#include "framework/dialog_base.h"

// A modal dialog from a dialog template.
class Dialog : public DialogBase {
  public:
    using DialogBase::DialogBase;

    // Shows the dialog and returns the code it was closed with (IDOK, IDCANCEL), -1 on failure.
    INT_PTR DoModal(HWND parent = nullptr);

  protected:
    bool OnCommand(WORD id, WORD code) override;
    virtual void OnOK();
    virtual void OnCancel();
};
