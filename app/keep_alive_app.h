#pragma once

#include "framework/app.h"

class CMainSheet;

// The application object: builds the main window and lets the message loop run.
class CKeepAliveApp : public CWinApp {
  public:
    BOOL InitInstance() override;

    CMainSheet* m_pMainSheet = nullptr;
};

extern CKeepAliveApp theApp;
