#pragma once

#include <cstdint>

#include "platform/service.h"
#include "platform/user.h"

// Opening documents and starting programs, shaped like ShellExecuteA and WinExec.
namespace platform {

inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;

class IShell {
  public:
    virtual ~IShell() = default;
    // The shell's instance handle as a number: above 32 on success, else an error code.
    virtual std::intptr_t ShellExecuteA(Window owner, const char* verb, const char* file,
                                        const char* parameters, const char* directory,
                                        int show) = 0;
    // Above 31 on success, else an error code.
    virtual std::uint32_t WinExec(const char* commandLine, std::uint32_t show) = 0;
};

// Whether a ShellExecuteA result, or a program start's passed on in its place, means opened.
inline bool ShellOpened(std::intptr_t result) {
    return static_cast<std::uintptr_t>(result) > 32;
}

inline IShell& Shell() {
    return Use<IShell>();
}

}  // namespace platform
