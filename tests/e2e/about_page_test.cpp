#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

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

TEST_F(AboutTab, ShowsVersionAndOperatingSystem) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = ShowAboutPage(main);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("Version 2.01", Text(GetDlgItem(page, IDC_VERSION)));
    // Wine presents itself as an NT system past build 2600.
    EXPECT_EQ(0u, Text(GetDlgItem(page, IDC_OS)).find("Windows XP 4.0 (Build:"));
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
