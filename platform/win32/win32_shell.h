#pragma once

#include "platform/shell.h"

namespace platform {

class Win32Shell final : public IShell {
  public:
    std::intptr_t Open(Window owner, const std::string& target) override;
    std::uint32_t StartProgram(const std::string& commandLine) override;
};

}  // namespace platform
