#pragma once

#include <windows.h>

// The application object: start-up hook and the run's message loop.
class App {
  public:
    App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    virtual ~App() = default;

    // Returns FALSE to end the run before the message loop.
    virtual BOOL InitInstance() = 0;

    // Runs the message loop until the quit message; returns its exit code.
    int Run();

    // The main window: while our wrapper holds it, its PreTranslateMessage sees every message.
    HWND m_mainWindow = nullptr;
};
