#pragma once

#include <windows.h>

class CWnd;

// The one application object: start-up hook and the run's message loop.
class CWinApp {
  public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    static CWinApp* Get();

    // Returns FALSE to end the run before the message loop.
    virtual BOOL InitInstance() = 0;

    // Runs the message loop until the quit message; returns its exit code.
    int Run();

    // The window whose destruction ends the run; its PreTranslateMessage sees every message.
    CWnd* m_pMainWnd = nullptr;
};
