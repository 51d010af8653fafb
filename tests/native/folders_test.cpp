#include "settings/folders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

// The program is where its own file is, not where the command line's first word points.
TEST(Folders, ProgramPathIsTheModuleWhateverTheCommandLineSays) {
    FakeSystem system;
    Folders folders;
    system.process.modulePath = "C:\\Tools\\sub\\prog.exe";
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
    EXPECT_EQ("C:\\Users\\me\\Start Menu\\Programs\\Startup\\", folders.startupFolder);
    EXPECT_EQ("C:\\Tools\\sub\\help.htm", folders.HelpPath());
}

// A module path that does not fit is dropped whole, never cut to name another file.
TEST(Folders, OverlongModulePathIsDroppedAndOneThatFitsIsKept) {
    FakeSystem system;
    Folders folders;
    const std::string fits = "C:\\" + std::string(291, 'd') + "\\p.exe";  // 300 characters
    system.process.modulePath = fits;
    folders = RecordFolders();
    EXPECT_EQ(fits, folders.programPath);
    EXPECT_EQ(fits.substr(0, 295), folders.programDir);

    for (std::size_t length : {301u, 302u, 400u, 40000u}) {
        system.process.modulePath = "C:\\" + std::string(length - 9, 'd') + "\\p.exe";
        folders = RecordFolders();
        EXPECT_EQ("", folders.programPath) << length;
        EXPECT_EQ("", folders.programDir) << length;
    }
    system.process.modulePath = "";  // the call failed
    folders = RecordFolders();
    EXPECT_EQ("", folders.programPath);
    EXPECT_EQ("", folders.programDir);
}

TEST(Folders, MissingOrOverlongFoldersAreRecordedSafely) {
    FakeSystem system;
    Folders folders;
    system.files.currentDirectory = "";
    system.files.startupFolder = "";
    folders = RecordFolders();
    EXPECT_EQ("\\", folders.startDir);
    EXPECT_EQ("", folders.startupFolder);  // never the root of a drive

    system.files.currentDirectory = "C:\\" + std::string(299, 'c');
    system.files.startupFolder = "C:\\" + std::string(256, 's');
    folders = RecordFolders();
    EXPECT_EQ("\\", folders.startDir);
    EXPECT_EQ(260u, folders.startupFolder.size());
}

// Start-up only records the folder; a shortcut that is to be written asks the shell to make it.
TEST(Folders, StartupFolderIsCreatedOnlyWhenAsked) {
    FakeSystem system;
    Folders folders;
    folders = RecordFolders();
    EXPECT_TRUE(CreateStartupFolder(folders));
    const std::string ask = "GetSpecialFolderPath ";
    const int create = platform::kCsidlStartup | platform::kCsidlFlagCreate;
    EXPECT_EQ((std::vector<std::string>{ask + std::to_string(platform::kCsidlStartup),
                                        ask + std::to_string(create)}),
              system.files.calls);
    EXPECT_EQ("C:\\Users\\me\\Start Menu\\Programs\\Startup\\", folders.startupFolder);

    system.files.startupFolder = "";
    EXPECT_FALSE(CreateStartupFolder(folders));
    EXPECT_EQ("", folders.startupFolder);
}

TEST(Files, SizeIsMinusOneForMissingOrLockedFiles) {
    FakeSystem system;
    TempFolder folder;
    std::ofstream(folder.HostPath("five.txt")) << "12345";
    std::ofstream(folder.HostPath("empty.txt"));
    EXPECT_EQ(5, GetFileSizeByName(folder.WindowsPath("five.txt").c_str()));
    EXPECT_EQ(0, GetFileSizeByName(folder.WindowsPath("empty.txt").c_str()));
    EXPECT_EQ(-1, GetFileSizeByName(folder.WindowsPath("none.txt").c_str()));
    system.files.lockedPaths = {folder.WindowsPath("five.txt")};
    EXPECT_EQ(-1, GetFileSizeByName(folder.WindowsPath("five.txt").c_str()));
    EXPECT_EQ(0u, system.files.OpenHandles());
}

}  // namespace
