#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell.h"

// A shell that records what it was asked to open or run and answers with the codes the test
// sets. Installs itself for its lifetime and puts the previous shell back afterwards.
class FakeShell : public platform::IShell {
  public:
    struct Execute {
        platform::Window owner;
        std::string verb;
        std::string file;
        bool parameters;  // whether any were given
        bool directory;
        int show;
    };
    struct Run {
        std::string commandLine;
        std::uint32_t show;
    };

    FakeShell();
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;
    ~FakeShell() override;

    std::intptr_t ShellExecuteA(platform::Window owner, const char* verb, const char* file,
                                const char* parameters, const char* directory, int show) override;
    std::uint32_t WinExec(const char* commandLine, std::uint32_t show) override;

    std::intptr_t executeResult = 42;
    std::uint32_t runResult = 33;
    std::vector<Execute> executes;
    std::vector<Run> runs;

  private:
    platform::IShell* m_previous;
};
