#include "platform/win32/win32_internet.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_threads.h"

namespace platform {

void InstallWin32Services() {
    static Win32Registry registry;
    static Win32Profile profile;
    static Win32Files files;
    static Win32Process process;
    static Win32User user;
    static Win32Clock clock;
    static Win32Version version;
    static Win32Internet internet;
    static Win32Threads threads;
    static Win32Shell shell;
    Provide<IRegistry>(&registry);
    Provide<IProfile>(&profile);
    Provide<IFiles>(&files);
    Provide<IProcess>(&process);
    Provide<IUser>(&user);
    Provide<IClock>(&clock);
    Provide<IVersion>(&version);
    Provide<IInternet>(&internet);
    Provide<IThreads>(&threads);
    Provide<IShell>(&shell);
}

}  // namespace platform
