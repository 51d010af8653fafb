#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell.h"

// A shell that records what it was asked to open or start and answers with the codes the test
// sets. Installs itself for its lifetime and puts the previous shell back afterwards.
class FakeShell : public platform::IShell {
  public:
    struct Opened {
        platform::Window owner;
        std::string target;
    };

    FakeShell();
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;
    ~FakeShell() override;

    std::intptr_t Open(platform::Window owner, const std::string& target) override;
    std::uint32_t StartProgram(const std::string& commandLine) override;

    std::intptr_t openResult = 42;
    std::uint32_t startResult = 33;
    std::vector<Opened> opened;
    std::vector<std::string> started;

  private:
    platform::IShell* m_previous;
};
