#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/pages/about_page.h"
#include "base/wide_text.h"
#include "framework/modeless_sheet.h"
#include "framework/window_text.h"
#include "platform/user.h"
#include "platform/win32/win32_services.h"
#include "settings/language.h"
#include "tests/doubles/fake_user.h"
#include "tests/wine/scratch_folder.h"

// The about page in a modeless sheet of its own, with the real system services except the
// user's boxes and beeps.
class AboutSheet : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallWin32Services();
        platform::Provide<platform::IUser>(&user);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override {
        if (sheet.Handle()) DestroyWindow(sheet.Handle());
        platform::InstallWin32Services();
    }

    void Open() {
        page = std::make_unique<AboutPage>(texts, program.Path("help.htm"));
        sheet.AddPage(*page);
        // Hidden: destroying a shown window waits on the X server for seconds under Wine.
        ASSERT_TRUE(sheet.Create(WS_POPUP | WS_CAPTION));
        ASSERT_NE(nullptr, page->Handle());
    }
    HWND Item(int id) const { return GetDlgItem(page->Handle(), id); }

    static std::string Text(HWND window) { return WindowText(window); }

    // What the page answers to the link's color request.
    struct ColorAnswer {
        COLORREF text;
        int mode;
        HGDIOBJ brush;
    };
    static ColorAnswer AskColor(HWND link) {
        HDC dc = CreateCompatibleDC(nullptr);
        const LRESULT brush =
            SendMessageA(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(link));
        ColorAnswer answer{GetTextColor(dc), GetBkMode(dc), reinterpret_cast<HGDIOBJ>(brush)};
        DeleteDC(dc);
        return answer;
    }

    // The text of tool 1 of the tooltip that serves this link.
    static std::string ToolTipText(HWND link) {
        std::string found = "(no tooltip)";
        struct Search {
            HWND link;
            std::string* text;
        } search{link, &found};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM lParam) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lParam);
                char name[64] = "";
                GetClassNameA(window, name, sizeof name);
                if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
                wchar_t text[512] = L"";
                TTTOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                tool.hwnd = s->link;
                tool.uId = 1;
                tool.lpszText = text;
                if (!SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
                    return TRUE;
                SendMessageW(window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
                *s->text = FromWide(text);
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return found;
    }

    FakeUser user;
    ScratchFolder program;  // the program's folder, with the language file when a test writes one
    LanguageTexts texts{program.Path("german.lng")};
    std::unique_ptr<AboutPage> page;
    ModelessSheet sheet{"About"};
};
