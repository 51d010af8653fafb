#include <windows.h>

#include "framework/app.h"
#include "keepalive/autodial.h"
#include "platform/win32/win32_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::InstallWin32Services();
    CWinApp* app = CWinApp::Get();
    if (!app || !app->InitInstance()) return 1;
    const int exitCode = app->Run();
    // A probe may still be running with autodial switched off: the user gets the values back.
    RestoreAutodialAtExit();
    return exitCode;
}
