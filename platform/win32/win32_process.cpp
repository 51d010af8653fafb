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

// The buffer grows until the path fits: a cut path would name another file.
std::string Win32Process::ProgramPath() {
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::vector<wchar_t> path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) return "";
        if (length < size) return FromWide(WideView(path.data(), length));
    }
    return "";
}

}  // namespace platform
