#pragma once

#include <cstdint>
#include <string>

#include "platform/service.h"
#include "platform/user.h"

// Opening documents and addresses, and starting programs.
namespace platform {

class IShell {
  public:
    virtual ~IShell() = default;
    // Opens a file or an address with the program the system has for it, shown normally. The
    // shell's result: above 32 when it was opened, else the shell's error code.
    virtual std::intptr_t Open(Window owner, const std::string& target) = 0;
    // Starts a program from its command line. Above 31 when it started, else an error code as
    // the shell's (2 file not found, 3 path not found, 11 not a program).
    virtual std::uint32_t StartProgram(const std::string& commandLine) = 0;
};

// Whether a result of Open, or a program start's passed on in its place, means opened.
inline bool ShellOpened(std::intptr_t result) {
    return static_cast<std::uintptr_t>(result) > 32;
}

inline IShell& Shell() {
    return Use<IShell>();
}

}  // namespace platform
