#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/driver.h"

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

int FocusedId(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return GetDlgCtrlID(info.hwndFocus);
}

// Ctrl+Tab turns to the about page, where Tab runs through the links and buttons in reading
// order; on the status page Space presses the button with the focus.
TEST(Keyboard, TabReachesLinksAndButtonsInOrderAndSpacePresses) {
    settings::PutPastFirstRun("http://keep.example/", false, false);
    const Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    SetForegroundWindow(main);
    Type(VK_TAB, VK_CONTROL);
    Type(VK_TAB, VK_CONTROL);
    std::vector<int> stops;
    for (int i = 0; i < 6; ++i, Type(VK_TAB)) stops.push_back(FocusedId(main));
    const int order[] = {IDC_LINK_HOME, IDC_LINK_CONTACT, IDC_CHECK_UPDATES, IDC_HELP_BUTTON};
    EXPECT_NE(stops.end(), std::search(stops.begin(), stops.end(), order, order + 4))
        << ::testing::PrintToString(stops);
    Type(VK_TAB, VK_CONTROL);
    for (int i = 0; i < 10 && FocusedId(main) != IDC_MINIMIZE; ++i) Type(VK_TAB);
    Type(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 3s));
    settings::Clear();
}

}  // namespace
