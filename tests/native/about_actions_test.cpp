#include "ui/about_actions.h"

#include <gtest/gtest.h>

#include "settings/folders.h"
#include "tests/doubles/fake_shell.h"
#include "tests/doubles/fake_system.h"

namespace {

class AboutActions : public ::testing::Test {
  protected:
    FakeSystem system;
    FakeShell shell;
    const std::string helpPath = RecordFolders().HelpPath();
};

TEST_F(AboutActions, HelpOpensTheFileBesideTheProgram) {
    OpenHelpFile(55, helpPath);
    ASSERT_EQ(1u, shell.executes.size());
    const FakeShell::Execute& call = shell.executes[0];
    EXPECT_EQ(55, call.owner);
    EXPECT_EQ("Open", call.verb);
    EXPECT_EQ("C:\\Tools\\help.htm", call.file);
    EXPECT_FALSE(call.parameters);
    EXPECT_FALSE(call.directory);
    EXPECT_EQ(platform::kSwShowNormal, call.show);
    EXPECT_TRUE(system.user.boxes.empty());
}

TEST_F(AboutActions, HelpThatCannotBeOpenedSaysWhereItWasLookedFor) {
    for (std::intptr_t failure : {0, 2, 31, 32}) {
        system.user.boxes.clear();
        shell.executeResult = failure;
        OpenHelpFile(55, helpPath);
        ASSERT_EQ(1u, system.user.boxes.size()) << failure;
        const FakeUser::Box& box = system.user.boxes[0];
        EXPECT_EQ("Can not find the help file at C:\\Tools\\help.htm", box.text);
        EXPECT_EQ("Quaddle", box.caption);
        EXPECT_EQ(55, box.owner);
        EXPECT_EQ(platform::kMbOk, box.type);
    }
    system.user.boxes.clear();
    shell.executeResult = 33;
    OpenHelpFile(55, helpPath);
    EXPECT_TRUE(system.user.boxes.empty());
}

TEST_F(AboutActions, UpdateOpensThisVersionsPageAndNeverComplains) {
    shell.executeResult = 2;
    OpenUpdatePage(55);
    ASSERT_EQ(1u, shell.executes.size());
    const FakeShell::Execute& call = shell.executes[0];
    EXPECT_EQ(55, call.owner);
    EXPECT_EQ("Open", call.verb);
    EXPECT_EQ("http://www.quaddle.example/updates/nimbrel2p01.htm?ref=nb2", call.file);
    EXPECT_FALSE(call.parameters);
    EXPECT_EQ(platform::kSwShowNormal, call.show);
    EXPECT_TRUE(system.user.boxes.empty());
}

}  // namespace
