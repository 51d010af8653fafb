#pragma once

#include <memory>
#include <string>

#include "app/single_instance.h"
#include "framework/app.h"

class CMainSheet;

// The application object: builds the main window and lets the message loop run, or hands over
// to the user's running start.
class CKeepAliveApp : public CWinApp {
  public:
    BOOL InitInstance() override;

    CMainSheet* m_pMainSheet = nullptr;
    // The process's exit code when InitInstance ends the run before the message loop.
    int m_nExitCode = 1;

  private:
    BOOL Uninstall(const std::string& name);

    std::unique_ptr<CInstanceLock> m_instance;
};

extern CKeepAliveApp theApp;
