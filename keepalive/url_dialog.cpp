#include "keepalive/url_dialog.h"

#include "res/resource.h"

CKeepAliveUrlDlg::CKeepAliveUrlDlg() : CDialog(IDD_URL_DIALOG) {}
