#pragma once

#include "platform/shell.h"

namespace platform {

class Win32Shell final : public IShell {
  public:
    std::intptr_t ShellExecuteA(Window owner, const char* verb, const char* file,
                                const char* parameters, const char* directory, int show) override;
    std::uint32_t WinExec(const char* commandLine, std::uint32_t show) override;
};

}  // namespace platform
