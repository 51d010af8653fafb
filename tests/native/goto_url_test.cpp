#include "links/goto_url.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_shell.h"
#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kTarget = "http://www.quaddle.example/nimbrel.htm?ref=nb2";

class GotoUrl : public ::testing::Test {
  protected:
    // The shell cannot open anything; ".htm" pages belong to "pagefile".
    void SetUp() override {
        shell.openResult = 31;
        system.registry.PutString("HKCR\\.htm", "", "pagefile");
    }
    void RegisterCommand(const std::string& command) {
        system.registry.PutString("HKCR\\pagefile\\shell\\open\\command", "", command);
    }
    std::string RunCommandLine() const {
        return shell.started.size() == 1 ? shell.started[0] : "(not run exactly once)";
    }

    FakeSystem system;
    FakeShell shell;
};

TEST_F(GotoUrl, ShellOpensTheTargetAndTheRegistryIsNotAsked) {
    shell.openResult = 42;
    EXPECT_EQ(42, GotoURL(kTarget));
    ASSERT_EQ(1u, shell.opened.size());
    EXPECT_EQ(0, shell.opened[0].owner);
    EXPECT_EQ(kTarget, shell.opened[0].target);
    EXPECT_TRUE(system.registry.calls.empty());
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(GotoUrl, ShellResultIsComparedUnsigned) {
    shell.openResult = -4096;  // an instance handle in the upper half of the address space
    EXPECT_EQ(-4096, GotoURL(kTarget));
    EXPECT_TRUE(shell.started.empty());
}

TEST_F(GotoUrl, QuotedPlaceholderAndEverythingAfterItGo) {
    RegisterCommand("\"C:\\Web\\browse.exe\" -nohome \"%1\" -new %1");
    EXPECT_EQ(33, GotoURL(kTarget));
    EXPECT_EQ("\"C:\\Web\\browse.exe\" -nohome  " + std::string(kTarget), RunCommandLine());

    shell.started.clear();  // a quoted placeholder wins over an earlier bare one
    RegisterCommand("browse.exe %1 \"%1\"");
    GotoURL(kTarget);
    EXPECT_EQ("browse.exe %1  " + std::string(kTarget), RunCommandLine());
}

TEST_F(GotoUrl, BarePlaceholderAndEverythingAfterItGo) {
    RegisterCommand("C:\\Web\\browse.exe %1,0 -x");
    GotoURL(kTarget);
    EXPECT_EQ("C:\\Web\\browse.exe  " + std::string(kTarget), RunCommandLine());
}

TEST_F(GotoUrl, CommandWithoutPlaceholderGetsTheTargetAppended) {
    RegisterCommand("\"C:\\Web\\browse.exe\" -url");
    GotoURL(kTarget);
    EXPECT_EQ("\"C:\\Web\\browse.exe\" -url " + std::string(kTarget), RunCommandLine());
}

TEST_F(GotoUrl, FailedStartGivesItsOwnCode) {
    RegisterCommand("C:\\gone.exe \"%1\"");
    shell.startResult = 2;
    EXPECT_EQ(2, GotoURL(kTarget));
}

TEST_F(GotoUrl, WithoutAUsableRegistrationTheShellsCodeStands) {
    EXPECT_EQ(31, GotoURL(kTarget));  // class without a command

    system.registry.PutString("HKCR\\pagefile\\shell\\open\\command", "other", "x.exe");
    EXPECT_EQ(31, GotoURL(kTarget));  // command key without its value

    RegisterCommand("browse.exe %1");
    system.registry.failingKeys = {"pagefile"};
    shell.openResult = 2;
    EXPECT_EQ(2, GotoURL(kTarget));  // command key denied

    system.registry.failingKeys = {".htm"};
    EXPECT_EQ(2, GotoURL(kTarget));  // ".htm" denied

    FakeSystem bare;
    EXPECT_EQ(2, GotoURL(kTarget));  // no ".htm" at all
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(GotoUrl, RegistryValuesUpTo259CharactersAreUsed) {
    const std::string longCommand = "C:\\" + std::string(250, 'w') + "\\b.exe";  // 259
    ASSERT_EQ(259u, longCommand.size());
    RegisterCommand(longCommand);
    GotoURL("x");
    EXPECT_EQ(longCommand + " x", RunCommandLine());
}

TEST_F(GotoUrl, LongerRegistryValuesAreNotUsed) {
    RegisterCommand("C:\\" + std::string(251, 'w') + "\\b.exe");  // 260
    EXPECT_EQ(31, GotoURL("x"));

    system.registry.PutRaw("HKCR\\pagefile\\shell\\open\\command", "", FakeRegistry::kText,
                           std::vector<std::uint8_t>(260, 'w'));  // fills the buffer, no end
    EXPECT_EQ(31, GotoURL("x"));

    system.registry.PutString("HKCR\\.htm", "", std::string(260, 'p'));
    EXPECT_EQ(31, GotoURL("x"));
    EXPECT_TRUE(shell.started.empty());
}

// Limits count the system's characters, not the bytes of their UTF-8 form.
TEST_F(GotoUrl, LimitsCountCharactersOfAnyScript) {
    const std::string greek = "\xce\xb5";  // one character, two bytes
    std::string longCommand = "C:\\";
    for (int i = 0; i < 250; ++i) longCommand += greek;
    longCommand += "\\b.exe";  // 259 characters, 509 bytes
    RegisterCommand(longCommand);
    EXPECT_EQ(33, GotoURL("x"));
    EXPECT_EQ(longCommand + " x", RunCommandLine());
}

TEST_F(GotoUrl, CommandLinesOver519CharactersAreNotRun) {
    RegisterCommand("b.exe \"%1\"");  // "b.exe  " + target
    const std::string fits(519 - 7, 't');
    EXPECT_EQ(33, GotoURL(fits));
    EXPECT_EQ(519u, RunCommandLine().size());

    shell.started.clear();
    EXPECT_EQ(31, GotoURL(fits + "t"));
    EXPECT_TRUE(shell.started.empty());
}

}  // namespace
