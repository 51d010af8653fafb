#include "about/about_actions.h"

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
    ASSERT_EQ(1u, shell.opened.size());
    EXPECT_EQ(55, shell.opened[0].owner);
    EXPECT_EQ("C:\\Tools\\help.htm", shell.opened[0].target);
    EXPECT_TRUE(system.user.boxes.empty());
}

// The path goes to the shell and into the message as it is, whatever its letters.
TEST_F(AboutActions, HelpPathKeepsLettersOfAnyScript) {
    system.process.programPath = "C:\\Users\\Åukasz ÎÎ»Î­Î½Î·\\æ¼¢\\nimbrel.exe";
    const std::string path = RecordFolders().HelpPath();
    EXPECT_EQ("C:\\Users\\Åukasz ÎÎ»Î­Î½Î·\\æ¼¢\\help.htm", path);
    shell.openResult = 2;
    OpenHelpFile(55, path);
    ASSERT_EQ(1u, shell.opened.size());
    EXPECT_EQ(path, shell.opened[0].target);
    ASSERT_EQ(1u, system.user.boxes.size());
    EXPECT_EQ("Can not find the help file at " + path, system.user.boxes[0].text);
}

TEST_F(AboutActions, HelpThatCannotBeOpenedSaysWhereItWasLookedFor) {
    for (std::intptr_t failure : {0, 2, 31, 32}) {
        system.user.boxes.clear();
        shell.openResult = failure;
        OpenHelpFile(55, helpPath);
        ASSERT_EQ(1u, system.user.boxes.size()) << failure;
        const FakeUser::Box& box = system.user.boxes[0];
        EXPECT_EQ("Can not find the help file at C:\\Tools\\help.htm", box.text);
        EXPECT_EQ("Quaddle", box.caption);
        EXPECT_EQ(55, box.owner);
        EXPECT_EQ(platform::MessageIcon::kNone, box.icon);
    }
    system.user.boxes.clear();
    shell.openResult = 33;
    OpenHelpFile(55, helpPath);
    EXPECT_TRUE(system.user.boxes.empty());
}

TEST_F(AboutActions, UpdateOpensThisVersionsPageAndNeverComplains) {
    shell.openResult = 2;
    OpenUpdatePage(55);
    ASSERT_EQ(1u, shell.opened.size());
    EXPECT_EQ(55, shell.opened[0].owner);
    EXPECT_EQ("http://www.quaddle.example/updates/nimbrel2p01.htm?ref=nb2", shell.opened[0].target);
    EXPECT_TRUE(system.user.boxes.empty());
}

}  // namespace
