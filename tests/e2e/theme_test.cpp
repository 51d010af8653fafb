#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/screen_capture.h"

// Every page with the system's visual style on and off: right around each control the program
// draws itself, and each static text and check box, the page shows its own background.
namespace {

using namespace driver;

constexpr const char* kThemeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

void PutThemeValue(const char* name, const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kThemeKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(std::string(value).size() + 1));
    RegCloseKey(key);
}

// Switches the Light theme on or off for programs started from now on, and back when it goes.
class ThemeSwitch {
  public:
    explicit ThemeSwitch(bool on) : m_before(RegistryString(kThemeKey, "ThemeActive")) {
        if (on) {
            PutThemeValue("DllName", "C:\\windows\\resources\\themes\\light\\light.msstyles");
            PutThemeValue("ColorName", "Blue");
            PutThemeValue("SizeName", "NormalSize");
        }
        PutThemeValue("ThemeActive", on ? "1" : "0");
    }
    ThemeSwitch(const ThemeSwitch&) = delete;
    ThemeSwitch& operator=(const ThemeSwitch&) = delete;
    ~ThemeSwitch() {
        if (m_before)
            PutThemeValue("ThemeActive", m_before->c_str());
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kThemeKey, "ThemeActive");
    }

  private:
    std::optional<std::string> m_before;
};

struct PageControls {
    int index;
    std::vector<int> ids;
    std::vector<int> framedIds;  // buttons whose own frame fills their edge
};

const PageControls kPages[] = {
    {0,
     {IDC_LED_ONLINE, IDC_LED_OFFLINE, IDC_LED_OFF, IDC_ACTIVITY},
     {IDC_STAY_ON, IDC_SWITCH_OFF, IDC_MINIMIZE, IDC_EXIT}},
    {1, {IDC_KA_LABEL, IDC_AUTOSTART, IDC_REDIAL}, {}},
    {2, {IDC_VERSION, IDC_LINK_HOME, IDC_LINK_CONTACT}, {IDC_CHECK_UPDATES, IDC_HELP_BUTTON}},
};

RECT RectOnPage(HWND page, int id) {
    RECT rect{};
    HWND control = GetDlgItem(page, id);
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The points of the page that must show its background: just above the control's top corners,
// and unless its frame fills its edge, its top corners inside.
std::vector<POINT> AroundControl(const RECT& rect, bool framed) {
    std::vector<POINT> points{{rect.left, rect.top - 1}, {rect.right - 1, rect.top - 1}};
    if (!framed) {
        points.push_back({rect.left, rect.top});
        points.push_back({rect.right - 1, rect.top});
    }
    return points;
}

// Each control and point that does not show the page's background, or nothing.
std::string Mismatches(HWND page, const PageControls& controls, COLORREF background) {
    const Capture shot(page);
    std::string found;
    const auto check = [&](int id, bool framed) {
        for (const POINT& point : AroundControl(RectOnPage(page, id), framed))
            if (shot.At(point.x, point.y) != background)
                found += " control " + std::to_string(id) + " at " + std::to_string(point.x) + "," +
                         std::to_string(point.y);
    };
    for (int id : controls.ids) check(id, false);
    for (int id : controls.framedIds) check(id, true);
    return found;
}

class Themes : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override { settings::PutPastFirstRun("http://keep.example/", false, false); }
    void TearDown() override { settings::Clear(); }
};

TEST_P(Themes, AroundEachControlEveryPageShowsItsOwnBackground) {
    const ThemeSwitch theme(GetParam());
    const Nimbrel nimbrel;
    HWND sheet = nimbrel.MainWindow();
    ASSERT_NE(nullptr, sheet);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (const PageControls& controls : kPages) {
        HWND page = SelectPage(sheet, controls.index);
        ASSERT_NE(nullptr, page);
        // The page's own background, at its top-left, where nothing stands.
        COLORREF background = 0;
        std::string mismatches;
        WaitUntil(
            [&] {
                background = Capture(page).At(2, 2);
                mismatches = Mismatches(page, controls, background);
                return mismatches.empty() && (background == face) != GetParam();
            },
            3s);
        EXPECT_EQ("", mismatches) << "page " << controls.index;
        // Themed, the page is another colour than the button face; classic, it is the face.
        EXPECT_EQ(!GetParam(), background == face) << "page " << controls.index;
    }
}

INSTANTIATE_TEST_SUITE_P(LightThemeOnAndOff, Themes, ::testing::Bool());

}  // namespace
