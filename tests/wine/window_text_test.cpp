#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/app.h"
#include "framework/data_exchange.h"
#include "framework/modeless_sheet.h"
#include "framework/property_page.h"
#include "framework/window_text.h"
#include "res/resource.h"
#include "tests/wine/control_host.h"
#include "tests/wine/test_resources.h"

namespace {

// Polish, Greek and Japanese: no single code page holds all three.
const std::string kScripts = "Zażółć gęślą jaźń, Ωμέγα, 東京都";
const std::wstring kScriptsWide = L"Zażółć gęślą jaźń, Ωμέγα, 東京都";

std::wstring WideTextOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

class WindowTexts : public ::testing::Test {
  protected:
    ControlHost host;
    HWND label = host.AddControl("STATIC", "", 0, 10, 0, 0, 300, 20);
    HWND edit = host.AddControl("EDIT", "", ES_AUTOHSCROLL, 11, 0, 30, 300, 20);
};

TEST_F(WindowTexts, EveryScriptGoesInAndComesOutTheSame) {
    for (HWND control : {label, edit, host.Window()}) {
        SetText(control, kScripts);
        EXPECT_EQ(kScriptsWide, WideTextOf(control));
        EXPECT_EQ(kScripts, WindowText(control));
    }
    SetItemText(host.Window(), 11, "Łódź");
    EXPECT_EQ(L"Łódź", WideTextOf(edit));
    SetText(edit, "");
    EXPECT_EQ("", WindowText(edit));
}

TEST_F(WindowTexts, DataExchangeCarriesThemBothWays) {
    std::string value = kScripts;
    DataExchange(host.Window(), Exchange::ToControls).Text(10, value);
    EXPECT_EQ(kScriptsWide, WideTextOf(label));

    SetWindowTextW(edit, L"Ελλάδα → 日本");
    DataExchange(host.Window(), Exchange::FromControls).Text(11, value);
    EXPECT_EQ("Ελλάδα → 日本", value);
}

// What the user types arrives as characters; the run's loop must not squeeze them through a
// code page on the way.
TEST_F(WindowTexts, TheMessageLoopDeliversTypedLettersWhole) {
    struct Loop : App {
        BOOL InitInstance() override { return TRUE; }
    } loop;
    for (wchar_t letter : std::wstring(L"łΩ東")) PostMessageW(edit, WM_CHAR, letter, 1);
    PostQuitMessage(0);
    EXPECT_EQ(0, loop.Run());
    EXPECT_EQ(L"łΩ東", WideTextOf(edit));
}

TEST(SheetCaption, KeepsEveryScript) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    PropertyPage page(IDD_SETTINGS_PAGE);
    ModelessSheet sheet(kScripts);
    sheet.AddPage(page);
    // Hidden: destroying a shown window waits on the X server for seconds under Wine.
    ASSERT_TRUE(sheet.Create(WS_POPUP | WS_CAPTION));
    EXPECT_EQ(kScriptsWide, WideTextOf(sheet.Handle()));
    DestroyWindow(sheet.Handle());
}

}  // namespace
