#include <windows.h>

#include "app/keep_alive_app.h"
#include "platform/win32/win32_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::InstallWin32Services();
    CWinApp& app = theApp;
    if (!app.InitInstance()) return 1;
    return app.Run();
}
