#include "ui/goto_url.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_shell.h"
#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kTarget = "http://www.quaddle.example/nimbrel.htm?ref=nb2";

class GotoUrl : public ::testing::Test {
  protected:
    // The shell cannot open anything; ".htm" pages belong to "pagefile".
    void SetUp() override {
        shell.executeResult = 31;
        system.registry.PutString("HKCR\\.htm", "", "pagefile");
    }
    void RegisterCommand(const std::string& command) {
        system.registry.PutString("HKCR\\pagefile\\shell\\open\\command", "", command);
    }
    std::string RunCommandLine() const {
        return shell.runs.size() == 1 ? shell.runs[0].commandLine : "(not run exactly once)";
    }

    FakeSystem system;
    FakeShell shell;
};

TEST_F(GotoUrl, ShellOpensTheTargetAndTheRegistryIsNotAsked) {
    shell.executeResult = 42;
    EXPECT_EQ(42, GotoURL(kTarget, platform::kSwShow));
    ASSERT_EQ(1u, shell.executes.size());
    const FakeShell::Execute& call = shell.executes[0];
    EXPECT_EQ(0, call.owner);
    EXPECT_EQ("open", call.verb);
    EXPECT_EQ(kTarget, call.file);
    EXPECT_FALSE(call.parameters);
    EXPECT_FALSE(call.directory);
    EXPECT_EQ(platform::kSwShow, call.show);
    EXPECT_TRUE(system.registry.calls.empty());
    EXPECT_TRUE(shell.runs.empty());
}

TEST_F(GotoUrl, ShellResultIsComparedUnsigned) {
    shell.executeResult = -4096;  // an instance handle in the upper half of the address space
    EXPECT_EQ(-4096, GotoURL(kTarget, platform::kSwShow));
    EXPECT_TRUE(shell.runs.empty());
}

TEST_F(GotoUrl, QuotedPlaceholderAndEverythingAfterItGo) {
    RegisterCommand("\"C:\\Web\\browse.exe\" -nohome \"%1\" -new %1");
    EXPECT_EQ(33, GotoURL(kTarget, platform::kSwShow));
    EXPECT_EQ("\"C:\\Web\\browse.exe\" -nohome  " + std::string(kTarget), RunCommandLine());
    EXPECT_EQ(static_cast<std::uint32_t>(platform::kSwShow), shell.runs[0].show);

    shell.runs.clear();  // a quoted placeholder wins over an earlier bare one
    RegisterCommand("browse.exe %1 \"%1\"");
    GotoURL(kTarget, platform::kSwShow);
    EXPECT_EQ("browse.exe %1  " + std::string(kTarget), RunCommandLine());
}

TEST_F(GotoUrl, BarePlaceholderAndEverythingAfterItGo) {
    RegisterCommand("C:\\Web\\browse.exe %1,0 -x");
    GotoURL(kTarget, platform::kSwShow);
    EXPECT_EQ("C:\\Web\\browse.exe  " + std::string(kTarget), RunCommandLine());
}

TEST_F(GotoUrl, CommandWithoutPlaceholderGetsTheTargetAppended) {
    RegisterCommand("\"C:\\Web\\browse.exe\" -url");
    GotoURL(kTarget, platform::kSwShowNormal);
    EXPECT_EQ("\"C:\\Web\\browse.exe\" -url " + std::string(kTarget), RunCommandLine());
    EXPECT_EQ(static_cast<std::uint32_t>(platform::kSwShowNormal), shell.runs[0].show);
}

TEST_F(GotoUrl, FailedStartGivesItsOwnCode) {
    RegisterCommand("C:\\gone.exe \"%1\"");
    shell.runResult = 2;
    EXPECT_EQ(2, GotoURL(kTarget, platform::kSwShow));
}

TEST_F(GotoUrl, WithoutAUsableRegistrationTheShellsCodeStands) {
    EXPECT_EQ(31, GotoURL(kTarget, platform::kSwShow));  // class without a command

    system.registry.PutString("HKCR\\pagefile\\shell\\open\\command", "other", "x.exe");
    EXPECT_EQ(31, GotoURL(kTarget, platform::kSwShow));  // command key without its value

    RegisterCommand("browse.exe %1");
    system.registry.failingKeys = {"pagefile"};
    shell.executeResult = 2;
    EXPECT_EQ(2, GotoURL(kTarget, platform::kSwShow));  // command key denied

    system.registry.failingKeys = {".htm"};
    EXPECT_EQ(2, GotoURL(kTarget, platform::kSwShow));  // ".htm" denied

    FakeSystem bare;
    EXPECT_EQ(2, GotoURL(kTarget, platform::kSwShow));  // no ".htm" at all
    EXPECT_TRUE(shell.runs.empty());
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(GotoUrl, RegistryValuesUpTo259CharactersAreUsed) {
    const std::string longCommand = "C:\\" + std::string(250, 'w') + "\\b.exe";  // 259
    ASSERT_EQ(259u, longCommand.size());
    RegisterCommand(longCommand);
    GotoURL("x", platform::kSwShow);
    EXPECT_EQ(longCommand + " x", RunCommandLine());
}

TEST_F(GotoUrl, LongerRegistryValuesAreNotUsed) {
    RegisterCommand("C:\\" + std::string(251, 'w') + "\\b.exe");  // 260
    EXPECT_EQ(31, GotoURL("x", platform::kSwShow));

    system.registry.PutRaw("HKCR\\pagefile\\shell\\open\\command", "", platform::kRegSz,
                           std::vector<std::uint8_t>(260, 'w'));  // fills the buffer, no end
    EXPECT_EQ(31, GotoURL("x", platform::kSwShow));

    system.registry.PutString("HKCR\\.htm", "", std::string(260, 'p'));
    EXPECT_EQ(31, GotoURL("x", platform::kSwShow));
    EXPECT_TRUE(shell.runs.empty());
}

TEST_F(GotoUrl, CommandLinesOver519CharactersAreNotRun) {
    RegisterCommand("b.exe \"%1\"");  // "b.exe  " + target
    const std::string fits(519 - 7, 't');
    EXPECT_EQ(33, GotoURL(fits, platform::kSwShow));
    EXPECT_EQ(519u, RunCommandLine().size());

    shell.runs.clear();
    EXPECT_EQ(31, GotoURL(fits + "t", platform::kSwShow));
    EXPECT_TRUE(shell.runs.empty());
}

}  // namespace
