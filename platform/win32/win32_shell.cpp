#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

std::intptr_t Win32Shell::ShellExecuteA(Window owner, const char* verb, const char* file,
                                        const char* parameters, const char* directory, int show) {
    return reinterpret_cast<std::intptr_t>(
        ::ShellExecuteA(reinterpret_cast<HWND>(owner), verb, file, parameters, directory, show));
}

std::uint32_t Win32Shell::WinExec(const char* commandLine, std::uint32_t show) {
    return ::WinExec(commandLine, show);
}

}  // namespace platform
