#include <windows.h>

#include "framework/app.h"
#include "platform/win32/win32_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::InstallWin32Services();
    CWinApp* app = CWinApp::Get();
    if (!app || !app->InitInstance()) return 1;
    return app->Run();
}
