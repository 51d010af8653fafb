#include <windows.h>

#include <cstdlib>
#include <vector>

#include "base/wide_text.h"
#include "platform/win32/win32_services.h"

namespace platform {
namespace {

// The longest path the system has.
constexpr DWORD kLongestPath = 32768;

}  // namespace

int Win32Process::ArgumentCount() {
    return __argc;
}

char** Win32Process::Arguments() {
    return __argv;
}

// Room for the longest path the system has: a cut path would name another file.
std::string Win32Process::ProgramPath() {
    std::vector<wchar_t> path(kLongestPath, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) return "";
    return FromWide(WideView(path.data(), length));
}

}  // namespace platform
