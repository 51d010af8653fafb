#include "tests/doubles/fake_shell.h"

FakeShell::FakeShell() : m_previous(platform::ServiceSlot<platform::IShell>()) {
    platform::Provide<platform::IShell>(this);
}

FakeShell::~FakeShell() {
    platform::Provide<platform::IShell>(m_previous);
}

std::intptr_t FakeShell::ShellExecuteA(platform::Window owner, const char* verb, const char* file,
                                       const char* parameters, const char* directory, int show) {
    executes.push_back(Execute{owner, verb ? verb : "", file ? file : "", parameters != nullptr,
                               directory != nullptr, show});
    return executeResult;
}

std::uint32_t FakeShell::WinExec(const char* commandLine, std::uint32_t show) {
    runs.push_back(Run{commandLine ? commandLine : "", show});
    return runResult;
}
