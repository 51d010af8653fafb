#include <windows.h>

#include "app/keep_alive_app.h"
#include "platform/system_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::InstallWin32Services();
    KeepAliveApp app;
    if (!app.InitInstance()) return app.m_exitCode;
    const int exitCode = app.Run();
    app.EndProbing();
    return exitCode;
}
