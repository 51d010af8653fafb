#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/screen_capture.h"

// The pages by keyboard alone, typed to the window in front.
namespace {

using namespace driver;

void Type(WORD key, WORD modifier = 0) {
    INPUT inputs[4] = {};
    const WORD keys[4] = {modifier, key, key, modifier};
    UINT count = 0;
    for (int i = 0; i < 4; ++i) {
        if (keys[i] == 0) continue;
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = keys[i];
        inputs[count++].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(count, inputs, sizeof inputs[0]);
    Sleep(150);
}

HWND FocusedWindow(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndFocus;
}

int FocusedId(HWND main) {
    return GetDlgCtrlID(FocusedWindow(main));
}

// A control's rectangle in its page's client coordinates.
RECT InPage(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The dotted focus rectangle lies one pixel outside the link: some pixel of that ring's top or
// bottom row is not the page's background.
bool ShowsFocusCue(const Capture& page, const RECT& link) {
    const COLORREF background = page.At(2, 2);
    for (LONG x = link.left - 1; x <= link.right; ++x)
        if (page.At(x, link.top - 1) != background || page.At(x, link.bottom) != background)
            return true;
    return false;
}

bool HoldsColor(const Capture& page, const RECT& area, COLORREF color) {
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            if (page.At(x, y) == color) return true;
    return false;
}

// Nimbrel in front, turned to its about page with Ctrl+Tab twice.
class Keyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::PutPastFirstRun("http://keep.example/", false, false);
        nimbrel = std::make_unique<Nimbrel>();
        main = nimbrel->MainWindow();
        ASSERT_NE(nullptr, main);
        SetForegroundWindow(main);
        Type(VK_TAB, VK_CONTROL);
        Type(VK_TAB, VK_CONTROL);
    }
    void TearDown() override {
        nimbrel.reset();
        settings::Clear();
    }

    std::unique_ptr<Nimbrel> nimbrel;
    HWND main = nullptr;
};

// On the about page Tab runs through the links and buttons in reading order; on the status page
// Space presses the button with the focus.
TEST_F(Keyboard, TabReachesLinksAndButtonsInOrderAndSpacePresses) {
    std::vector<int> stops;
    for (int i = 0; i < 6; ++i, Type(VK_TAB)) stops.push_back(FocusedId(main));
    const int order[] = {IDC_LINK_HOME, IDC_LINK_CONTACT, IDC_CHECK_UPDATES, IDC_HELP_BUTTON};
    EXPECT_NE(stops.end(), std::search(stops.begin(), stops.end(), order, order + 4))
        << ::testing::PrintToString(stops);
    Type(VK_TAB, VK_CONTROL);
    for (int i = 0; i < 10 && FocusedId(main) != IDC_MINIMIZE; ++i) Type(VK_TAB);
    Type(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 3s));
}

// A link reached by keyboard keeps its focus cue while the mouse goes over it and it takes the
// hover color.
TEST_F(Keyboard, ALinksFocusCueStaysWhileTheMouseIsOverIt) {
    for (int i = 0; i < 10 && FocusedId(main) != IDC_LINK_HOME; ++i) Type(VK_TAB);
    HWND link = FocusedWindow(main);
    ASSERT_EQ(IDC_LINK_HOME, GetDlgCtrlID(link));
    HWND page = GetParent(link);
    const RECT area = InPage(link);
    EXPECT_TRUE(ShowsFocusCue(
        CaptureWhen(page, [&](const Capture& shot) { return ShowsFocusCue(shot, area); }), area));

    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    const COLORREF hover = GetSysColor(COLOR_HIGHLIGHT);
    const Capture hovered =
        CaptureWhen(page, [&](const Capture& shot) { return HoldsColor(shot, area, hover); });
    ASSERT_TRUE(HoldsColor(hovered, area, hover));
    EXPECT_TRUE(ShowsFocusCue(hovered, area));
}

}  // namespace
