#include "settings/folders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Folders, ProgramDirectoryEndsAtTheLastBackslash) {
    FakeSystem system;
    system.process.Set({"C:\\Tools\\sub\\prog.exe", "-on"});
    system.files.currentDirectory = "C:\\Work";
    InitFolders();
    EXPECT_STREQ("C:\\Tools\\sub\\prog.exe", g_szProgramPath);
    EXPECT_STREQ("C:\\Tools\\sub\\", g_szProgramDir);
    EXPECT_STREQ("C:\\Work\\", g_szStartDir);
    EXPECT_STREQ("C:\\Users\\me\\Start Menu\\Programs\\Startup\\", g_szStartupFolder);
}

TEST(Folders, BareProgramNameHasAnEmptyDirectory) {
    FakeSystem system;
    system.process.Set({"prog.exe"});
    InitFolders();
    EXPECT_STREQ("prog.exe", g_szProgramPath);
    EXPECT_STREQ("", g_szProgramDir);
}

TEST(Folders, MissingOrOverlongPathsAreRecordedSafely) {
    FakeSystem system;
    system.process.Set({});
    system.files.currentDirectory = "";
    system.files.startupFolder = "";
    InitFolders();
    EXPECT_STREQ("", g_szProgramPath);
    EXPECT_STREQ("", g_szProgramDir);
    EXPECT_STREQ("\\", g_szStartDir);
    EXPECT_STREQ("", g_szStartupFolder);  // never the root of a drive

    const std::string longName = "C:\\" + std::string(400, 'd') + "\\p.exe";
    system.process.Set({longName});
    system.files.currentDirectory = "C:\\" + std::string(299, 'c');
    system.files.startupFolder = "C:\\" + std::string(256, 's');
    InitFolders();
    EXPECT_EQ(300u, std::strlen(g_szProgramPath));
    EXPECT_STREQ("C:\\", g_szProgramDir);
    EXPECT_STREQ("\\", g_szStartDir);
    EXPECT_EQ(260u, std::strlen(g_szStartupFolder));
}

// Start-up only records the folder; a shortcut that is to be written asks the shell to make it.
TEST(Folders, StartupFolderIsCreatedOnlyWhenAsked) {
    FakeSystem system;
    InitFolders();
    EXPECT_TRUE(CreateStartupFolder());
    EXPECT_EQ((std::vector<std::string>{"GetSpecialFolderPath 7", "GetSpecialFolderPath 32775"}),
              system.files.calls);
    EXPECT_STREQ("C:\\Users\\me\\Start Menu\\Programs\\Startup\\", g_szStartupFolder);

    system.files.startupFolder = "";
    EXPECT_FALSE(CreateStartupFolder());
    EXPECT_STREQ("", g_szStartupFolder);
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

TEST(Files, AppendAddsBytesWithoutSeparators) {
    FakeSystem system;
    TempFolder folder;
    const std::string path = folder.WindowsPath("log.txt");
    EXPECT_EQ(0, AppendToFile(path.c_str(), "a"));
    EXPECT_EQ(0, AppendToFile(path.c_str(), "b"));
    EXPECT_EQ("ab", Contents(folder.HostPath("log.txt")));
    EXPECT_EQ(0, AppendToFile(folder.WindowsPath("no\\folder.txt").c_str(), "x"));
    EXPECT_EQ(0u, system.files.OpenHandles());
}

}  // namespace
