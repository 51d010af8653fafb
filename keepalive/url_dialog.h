#pragma once

#include "framework/dialog.h"

// The dialog in which the user enters and tests the keep-alive URL.
class CKeepAliveUrlDlg : public CDialog {
  public:
    CKeepAliveUrlDlg();
};
