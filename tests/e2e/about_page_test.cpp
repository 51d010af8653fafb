#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>

#include "res/resource.h"
#include "tests/e2e/driver.h"

namespace {

using namespace driver;

class AboutTab : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutDword("FirstTime", 0);
    }
    void TearDown() override { settings::Clear(); }

    static HWND ShowAboutPage(HWND main) {
        PostMessageA(main, PSM_SETCURSEL, 2, 0);
        HWND page = nullptr;
        WaitUntil([&] {
            page = FindWindowExA(main, nullptr, nullptr, "About");
            return page && IsWindowVisible(page);
        });
        return page;
    }
};

// Wine reports the Windows version its settings name, here for nimbrel.exe alone.
class ReportedWindows {
  public:
    explicit ReportedWindows(const char* version) {
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Version", REG_SZ, version,
                        static_cast<DWORD>(std::strlen(version) + 1));
    }
    ReportedWindows(const ReportedWindows&) = delete;
    ReportedWindows& operator=(const ReportedWindows&) = delete;
    ~ReportedWindows() { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

  private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\nimbrel.exe";
};

TEST_F(AboutTab, ShowsVersionAndOperatingSystem) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = ShowAboutPage(main);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("Version 2.01", Text(GetDlgItem(page, IDC_VERSION)));
    // A fresh prefix is Windows 7 with its service pack.
    EXPECT_EQ("Windows 7 (Build:7601) Service Pack 1", Text(GetDlgItem(page, IDC_OS)));
}

// The names come from the version the system really is: without a manifest entry for it,
// Windows 10 would pass for Windows 8 (6.2, build 9200).
TEST_F(AboutTab, NamesTheWindowsVersionTheSystemReallyIs) {
    const struct {
        const char* version;
        const char* start;
    } systems[] = {{"win10", "Windows 10 (Build:1"},
                   {"win81", "Windows 8.1 (Build:9600)"},
                   {"winxp64", "Windows XP 4.0 (Build:3790) Service Pack 2"}};
    for (const auto& system : systems) {
        SCOPED_TRACE(system.version);
        ReportedWindows reported(system.version);
        Nimbrel nimbrel;
        HWND main = nimbrel.MainWindow();
        ASSERT_NE(nullptr, main);
        HWND page = ShowAboutPage(main);
        ASSERT_NE(nullptr, page);
        EXPECT_EQ(0u, Text(GetDlgItem(page, IDC_OS)).find(system.start))
            << Text(GetDlgItem(page, IDC_OS));
    }
}

TEST_F(AboutTab, HelpWithoutHelpFileSaysWhereItLooked) {
    ProgramCopy copy;
    Nimbrel nimbrel("", copy.Folder());
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = ShowAboutPage(main);
    ASSERT_NE(nullptr, page);

    PostMessageA(GetDlgItem(page, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    HWND box = nimbrel.DialogWith(kMessageBoxText);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Quaddle", Text(box));
    EXPECT_EQ("Can not find the help file at " + copy.Folder() + "help.htm",
              Text(GetDlgItem(box, kMessageBoxText)));
    EXPECT_EQ(main, GetWindow(box, GW_OWNER));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowVisible(page));
}

}  // namespace
