#include <windows.h>

#include "app/keep_alive_app.h"
#include "platform/win32/win32_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::InstallWin32Services();
    // Autodial values an earlier run left switched off come back before anything else runs.
    KeepAliveApp app;
    app.Autodial().Repair();
    if (!app.InitInstance()) return app.m_exitCode;
    const int exitCode = app.Run();
    // A probe may still be running with autodial switched off: the user gets the values back.
    app.Autodial().RestoreAtExit();
    return exitCode;
}
