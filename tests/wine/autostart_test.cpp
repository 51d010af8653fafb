#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

#include "platform/win32/win32_services.h"
#include "res/product.h"
#include "settings/autostart.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/shortcut_failure.h"
#include "tests/doubles/fake_user.h"
#include "tests/wine/saved_shortcut.h"
#include "tests/wine/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// The autostart shortcut in the prefix's real Startup folder; the language file, when a test
// writes one, beside a scratch "program directory".
class AutostartShortcut : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallWin32Services();
        platform::Provide<platform::IUser>(&user);  // a failure's message box would wait
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
        folders = RecordFolders();
        folders.programDir = program.Directory();
        ASSERT_TRUE(RecordStartupFolder(folders, false));
        fs::create_directories(folders.startupFolder);
        texts.Refresh();  // no file: not in use
        startupBefore = StartupLinks();
    }
    void TearDown() override {
        platform::InstallWin32Services();
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
        folders = RecordFolders();
        RecordStartupFolder(folders, false);
        for (const std::string& name : StartupLinks())
            if (!startupBefore.count(name)) fs::remove(folders.startupFolder + name);
    }

    std::set<std::string> StartupLinks() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folders.startupFolder))
            if (entry.path().extension() == ".lnk") names.insert(entry.path().filename().string());
        return names;
    }
    std::set<std::string> NewLinks() const {
        std::set<std::string> added;
        for (const std::string& name : StartupLinks())
            if (!startupBefore.count(name)) added.insert(name);
        return added;
    }
    void WriteLanguageFile(const std::string& lines) {
        std::ofstream(program.Path("german.lng"), std::ios::binary) << "[SETTINGS]\r\n" << lines;
        texts.Refresh();
        ASSERT_TRUE(texts.InUse());
    }
    static SavedShortcut ReadBack(const std::string& file) {
        const std::optional<SavedShortcut> saved = ReadSavedShortcut(file);
        EXPECT_TRUE(saved) << file;
        return saved.value_or(SavedShortcut{});
    }

    ScratchFolder program;
    FakeUser user;
    std::set<std::string> startupBefore;
    Folders folders;
    LanguageTexts texts{program.Path("german.lng")};
    Autostart autostart{folders, texts};
};

TEST_F(AutostartShortcut, OnWritesTheShortcutAndOffRemovesItTwiceWithoutComplaint) {
    autostart.Set(true);
    ASSERT_EQ(std::set<std::string>{"Nimbrel.lnk"}, NewLinks());

    const SavedShortcut link = ReadBack(folders.startupFolder + "Nimbrel.lnk");
    EXPECT_PRED2(SamePath, folders.programPath, link.target);
    EXPECT_EQ("-tray -on", link.arguments);
    EXPECT_PRED2(SamePath, folders.startDir, link.workingDirectory);
    EXPECT_PRED2(SamePath, folders.programPath, link.iconLocation);
    EXPECT_EQ(0, link.iconIndex);
    EXPECT_EQ("Nimbrel", link.description);
    EXPECT_EQ(SW_SHOWNORMAL, link.showCmd);
    EXPECT_EQ(0u, link.hotkey);

    autostart.Set(false);
    EXPECT_TRUE(NewLinks().empty());
    autostart.Set(false);
    EXPECT_TRUE(NewLinks().empty());
}

TEST_F(AutostartShortcut, SavingAgainOverwritesTheSameShortcut) {
    autostart.Set(true);
    folders.startDir = program.Directory();
    autostart.Set(true);
    EXPECT_EQ(std::set<std::string>{"Nimbrel.lnk"}, NewLinks());
    EXPECT_PRED2(SamePath, program.Directory(),
                 ReadBack(folders.startupFolder + "Nimbrel.lnk").workingDirectory);
}

TEST_F(AutostartShortcut, LanguageFileNamesTheShortcut) {
    WriteLanguageFile("AutostartLink=Nimbrel beim Start\r\n");
    autostart.Set(true);
    ASSERT_EQ(std::set<std::string>{"Nimbrel beim Start.lnk"}, NewLinks());
    EXPECT_EQ("Nimbrel beim Start",
              ReadBack(folders.startupFolder + "Nimbrel beim Start.lnk").description);
    autostart.Set(false);
    EXPECT_TRUE(NewLinks().empty());
}

// Texts from the file that are no file name stay inside the Startup folder; an empty one
// falls back to the product's name.
TEST_F(AutostartShortcut, NamesThatAreNoFileNamesStayInTheStartupFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"..\\..\\Nimbrel", ".._.._Nimbrel.lnk"},
        {"C:/Nim:bel*?", "C__Nim_bel__.lnk"},
        {"Zeile<:BREAK:>zwei", "Zeile__zwei.lnk"},
        {"", "Nimbrel.lnk"},
        {"CON", "_CON.lnk"},
        {"com1.txt", "_com1.txt.lnk"},
        {"...", "Nimbrel.lnk"},
    };
    const fs::path programs = fs::path(folders.startupFolder).parent_path().parent_path();
    for (const auto& [text, file] : cases) {
        WriteLanguageFile("AutostartLink=" + text + "\r\n");
        autostart.Set(true);
        EXPECT_EQ(std::set<std::string>{file}, NewLinks()) << text;
        EXPECT_FALSE(fs::exists(programs / "Nimbrel.lnk")) << text;
        EXPECT_FALSE(fs::exists(programs.parent_path() / "Nimbrel.lnk")) << text;
        autostart.Set(false);
        EXPECT_TRUE(NewLinks().empty()) << text;
    }
}

TEST_F(AutostartShortcut, NameTooLongForAPathWritesNothing) {
    WriteLanguageFile("AutostartLink=" + std::string(298, 'L') + "\r\n");
    EXPECT_FALSE(UpdateStartupShortcut(folders, folders.programPath, "-tray -on",
                                       std::string(298, 'L'), true));
    autostart.Set(true);
    EXPECT_TRUE(NewLinks().empty());
    EXPECT_EQ(1u, user.boxes.size());
    autostart.Set(false);
}

// The real files, except that the shell knows no Startup folder.
class NoStartupFolder final : public platform::Win32Files {
  public:
    std::string StartupFolder(bool) override { return ""; }
};

TEST_F(AutostartShortcut, UnknownStartupFolderTouchesNoOtherFolderAndIsToldOnce) {
    ScratchFolder current;
    ASSERT_TRUE(SetCurrentDirectoryA(current.Directory().c_str()));
    std::ofstream(current.Path("Nimbrel.lnk")) << "someone else's file";
    NoStartupFolder files;
    platform::Provide<platform::IFiles>(&files);
    folders.startupFolder.clear();

    EXPECT_FALSE(UpdateStartupShortcut(folders, folders.programPath, "-tray -on", "Nimbrel", true));
    autostart.Set(true, 0x4711);
    autostart.Set(true, 0x4711);
    EXPECT_FALSE(fs::exists("C:\\Nimbrel.lnk"));
    EXPECT_FALSE(fs::exists("\\Nimbrel.lnk"));
    EXPECT_EQ("someone else's file", [&] {
        std::ifstream in(current.Path("Nimbrel.lnk"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }());
    ASSERT_EQ(1u, user.boxes.size());
    EXPECT_EQ(0x4711, user.boxes[0].owner);

    autostart.Set(false);
    EXPECT_TRUE(fs::exists(current.Path("Nimbrel.lnk")));
    SetCurrentDirectoryA(folders.startDir.c_str());
}

// A name that differs in case only names the same file: saving under it keeps the shortcut.
TEST_F(AutostartShortcut, NameDifferingInCaseOnlyKeepsTheShortcut) {
    autostart.Set(true);
    WriteLanguageFile("AutostartLink=nimbrel\r\n");
    autostart.Set(true);
    EXPECT_EQ(1u, NewLinks().size());
    autostart.Set(false);
    EXPECT_TRUE(NewLinks().empty());
}

TEST_F(AutostartShortcut, ShortcutIntoAMissingFolderFails) {
    EXPECT_FALSE(CreateShortcut(program.Path("missing\\Nimbrel.lnk"), folders.startDir,
                                folders.programPath, "-tray -on", "Nimbrel"));
    EXPECT_FALSE(fs::exists(program.Path("missing")));
}

}  // namespace
