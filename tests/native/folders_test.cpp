#include "settings/folders.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_system.h"

namespace {

// The program is where its own file is, not where the command line's first word points.
TEST(Folders, ProgramPathIsTheModuleWhateverTheCommandLineSays) {
    FakeSystem system;
    Folders folders;
    system.process.programPath = "C:\\Tools\\sub\\prog.exe";
    system.files.currentDirectory = "C:\\Work";
    for (const char* first : {"prog.exe", "..\\sub\\prog.exe", "D:\\Other\\x.exe", ""}) {
        system.process.Set({first, "-on"});
        folders = RecordFolders();
        EXPECT_EQ("C:\\Tools\\sub\\prog.exe", folders.programPath) << first;
        EXPECT_EQ("C:\\Tools\\sub\\", folders.programDir) << first;
    }
    system.process.Set({});
    folders = RecordFolders();
    EXPECT_EQ("C:\\Tools\\sub\\", folders.programDir);
    EXPECT_EQ("C:\\Work\\", folders.startDir);
    EXPECT_EQ("C:\\Tools\\sub\\help.htm", folders.HelpPath());
}

// Paths come whole, however long and whatever their letters: nothing is cut or replaced.
TEST(Folders, LongPathsInAnyScriptAreKeptWhole) {
    FakeSystem system;
    const std::string folder =
        "C:\\Users\\\xc5\x81ukasz \xd0\x96\xd0\xb0\xd0\xbd\xd0\xbd\xd0\xb0\\" +
        std::string(400, 'd') + "\\\xe6\xbc\xa2\xe5\xad\x97";
    system.process.programPath = folder + "\\nimbrel.exe";
    system.files.currentDirectory = folder;
    system.files.startupFolder = folder + "\\Startup";
    Folders folders = RecordFolders();
    RecordStartupFolder(folders, false);
    EXPECT_EQ(folder + "\\nimbrel.exe", folders.programPath);
    EXPECT_EQ(folder + "\\", folders.programDir);
    EXPECT_EQ(folder + "\\german.lng", folders.LanguageFilePath());
    EXPECT_EQ(folder + "\\", folders.startDir);
    EXPECT_EQ(folder + "\\Startup\\", folders.startupFolder);
}

TEST(Folders, MissingFoldersStayUnknownAndARootKeepsOneBackslash) {
    FakeSystem system;
    system.process.programPath = "";  // the call failed
    system.files.currentDirectory = "";
    system.files.startupFolder = "";
    Folders folders = RecordFolders();
    EXPECT_EQ("", folders.programPath);
    EXPECT_EQ("", folders.programDir);
    EXPECT_EQ("", folders.startDir);
    EXPECT_FALSE(RecordStartupFolder(folders, false));
    EXPECT_EQ("", folders.startupFolder);  // never the root of a drive

    system.files.currentDirectory = "D:\\";
    folders = RecordFolders();
    EXPECT_EQ("D:\\", folders.startDir);
}

// Start-up leaves the Startup folder to the shortcut, which has the shell make it only when
// it writes one.
TEST(Folders, StartupFolderIsLookedUpLaterAndCreatedOnlyWhenAsked) {
    FakeSystem system;
    Folders folders;
    folders = RecordFolders();
    EXPECT_EQ("", folders.startupFolder);
    EXPECT_TRUE(RecordStartupFolder(folders, false));
    EXPECT_TRUE(RecordStartupFolder(folders, true));
    EXPECT_EQ((std::vector<std::string>{"StartupFolder", "StartupFolder create"}),
              system.files.calls);
    EXPECT_EQ("C:\\Users\\me\\Start Menu\\Programs\\Startup\\", folders.startupFolder);

    system.files.startupFolder = "";
    EXPECT_FALSE(RecordStartupFolder(folders, true));
    EXPECT_EQ("", folders.startupFolder);
}

}  // namespace
