#pragma once

#include <windows.h>

// The application object: start-up hook and the run's message loop.
class CWinApp {
  public:
    CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp() = default;

    // Returns FALSE to end the run before the message loop.
    virtual BOOL InitInstance() = 0;

    // Runs the message loop until the quit message; returns its exit code.
    int Run();

    // The main window: while our wrapper holds it, its PreTranslateMessage sees every message.
    HWND m_mainWindow = nullptr;
};
