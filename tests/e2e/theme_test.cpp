#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/screen_capture.h"

namespace {

using namespace driver;

void PutThemeValue(const char* name, const char* value) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager",
                    name, REG_SZ, value, static_cast<DWORD>(std::string(value).size() + 1));
}

// The lamps, links, status text, static texts and check boxes of each page in turn.
const std::vector<int> kPageControls[] = {
    {IDC_LED_ONLINE, IDC_LED_OFFLINE, IDC_LED_OFF, IDC_ACTIVITY},
    {IDC_KA_LABEL, IDC_AUTOSTART, IDC_REDIAL},
    {IDC_VERSION, IDC_LINK_HOME, IDC_LINK_CONTACT}};

// The controls whose top corners, inside or just above, are not background.
std::string Mismatches(HWND page, const std::vector<int>& ids, COLORREF background) {
    const Capture shot(page);
    std::string found;
    for (int id : ids) {
        RECT r{};
        GetWindowRect(GetDlgItem(page, id), &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        for (LONG y : {r.top - 1, r.top})
            for (LONG x : {r.left, r.right - 1})
                if (shot.At(x, y) != background) found += " " + std::to_string(id);
    }
    return found;
}

class Themes : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        settings::PutPastFirstRun("http://keep.example/", false, false);
        PutThemeValue("DllName", "C:\\windows\\resources\\themes\\light\\light.msstyles");
        PutThemeValue("ColorName", "Blue");
        PutThemeValue("SizeName", "NormalSize");
        PutThemeValue("ThemeActive", GetParam() ? "1" : "0");
    }
    void TearDown() override {
        PutThemeValue("ThemeActive", "0");
        settings::Clear();
    }
};

// With Wine's Light theme on and off, the page's own background (its top-left pixel: themed
// not the button face, classic the face) shows right around what the program draws itself.
TEST_P(Themes, AroundEachControlEveryPageShowsItsOwnBackground) {
    const Nimbrel nimbrel;
    HWND sheet = nimbrel.MainWindow();
    ASSERT_NE(nullptr, sheet);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int index = 0; index < 3; ++index) {
        HWND page = SelectPage(sheet, index);
        ASSERT_NE(nullptr, page);
        COLORREF background = 0;
        std::string mismatches;
        WaitUntil(
            [&] {
                background = Capture(page).At(2, 2);
                mismatches = Mismatches(page, kPageControls[index], background);
                return mismatches.empty() && (background == face) != GetParam();
            },
            3s);
        EXPECT_EQ("", mismatches) << "page " << index;
        EXPECT_EQ(!GetParam(), background == face) << "page " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(LightThemeOnAndOff, Themes, ::testing::Bool());

}  // namespace
