#include "platform/system_services.h"
#include "platform/win32/win32_internet.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_threads.h"

namespace platform {

// The forwarders are never destroyed: a probe's worker that is still waiting on the network when
// the program ends keeps calling them while the static destructors run.
void InstallWin32Services() {
    static auto* const registry = new Win32Registry;
    static auto* const codePage = new Win32CodePage;
    static auto* const files = new Win32Files;
    static auto* const process = new Win32Process;
    static auto* const user = new Win32User;
    static auto* const clock = new Win32Clock;
    static auto* const version = new Win32Version;
    static auto* const internet = new Win32Internet;
    static auto* const threads = new Win32Threads;
    static auto* const shell = new Win32Shell;
    Provide<IRegistry>(registry);
    Provide<ICodePage>(codePage);
    Provide<IFiles>(files);
    Provide<IProcess>(process);
    Provide<IUser>(user);
    Provide<IClock>(clock);
    Provide<IVersion>(version);
    Provide<IInternet>(internet);
    Provide<IThreads>(threads);
    Provide<IShell>(shell);
}

}  // namespace platform
