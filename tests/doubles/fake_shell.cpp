#include "tests/doubles/fake_shell.h"

FakeShell::FakeShell() : m_previous(platform::ServiceSlot<platform::IShell>()) {
    platform::Provide<platform::IShell>(this);
}

FakeShell::~FakeShell() {
    platform::Provide<platform::IShell>(m_previous);
}

std::intptr_t FakeShell::Open(platform::Window owner, const std::string& target) {
    opened.push_back(Opened{owner, target});
    return openResult;
}

std::uint32_t FakeShell::StartProgram(const std::string& commandLine) {
    started.push_back(commandLine);
    return startResult;
}
