#include <cstdio>
#include <fstream>
#include <iterator>

#include "res/resource.h"
#include "tests/wine/about_sheet.h"

namespace {

using AboutPage = AboutSheet;

TEST_F(AboutPage, ShowsVersionAndOperatingSystem) {
    Open();
    EXPECT_EQ("Version 2.01", Text(Item(IDC_VERSION)));
    // The test prefix is a fresh one: Windows 7 with its service pack.
    EXPECT_EQ("Windows 7 (Build:7601) Service Pack 1", Text(Item(IDC_OS)));
    EXPECT_EQ("Nimbrel", Text(Item(IDC_ABOUT_TITLE)));
    EXPECT_EQ(&page->m_updateButton, Window::FromHandle(Item(IDC_CHECK_UPDATES)));
    EXPECT_EQ(&page->m_helpButton, Window::FromHandle(Item(IDC_HELP_BUTTON)));
    EXPECT_LT(0, page->m_updateButton.IconWidth());
    EXPECT_LT(0, page->m_helpButton.IconWidth());
}

TEST_F(AboutPage, LinksLeadToTheMakersPagesWithTheProgramsHand) {
    Open();
    EXPECT_EQ("http://www.quaddle.example/nimbrel.htm?ref=nb2", ToolTipText(Item(IDC_LINK_HOME)));
    EXPECT_EQ("http://www.quaddle.example/service/contact/?ref=nb2",
              ToolTipText(Item(IDC_LINK_CONTACT)));
    EXPECT_EQ("mailto: support@quaddle.example?Subject=Support 2.01",
              ToolTipText(Item(IDC_LINK_MAIL)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_LINK_MAIL)));
    EXPECT_EQ("Quaddle", Text(Item(IDC_LINK_HOME)));

    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    for (int id : {IDC_LINK_HOME, IDC_LINK_CONTACT, IDC_LINK_MAIL}) {
        SetCursor(nullptr);
        SendMessageA(Item(id), WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(id)),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(hand, GetCursor()) << id;
    }

    // A visited link keeps the link color; the hover color is the highlight.
    HWND home = Item(IDC_LINK_HOME);
    page->m_homeLink.SetVisited(true);
    EXPECT_EQ(RGB(0, 0, 238), AskColor(home).text);
    SendMessageA(home, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), AskColor(home).text);
    ReleaseCapture();
}

TEST_F(AboutPage, GermanEditionLinksToTheGermanPages) {
    std::ofstream(program.Path("german.lng"), std::ios::binary) << "[SETTINGS]\r\nOK=Ja\r\n";
    texts.ApplyOffSwitch();  // as at start-up: the file is in use
    Open();
    EXPECT_EQ("http://www.quaddle.example/de/vellmark.htm?ref=nb2",
              ToolTipText(Item(IDC_LINK_HOME)));
    EXPECT_EQ("http://www.quaddle.example/de/service/contact/?ref=nb2",
              ToolTipText(Item(IDC_LINK_CONTACT)));
}

TEST_F(AboutPage, LanguageFileReplacesTitleAndButtonTextsOnEachShow) {
    const std::string file = program.Path("german.lng");
    std::ofstream(file, std::ios::binary)
        << "[SETTINGS]\r\nabout_title=Vellmark<:BREAK:>von Quaddle\r\n"
           "about_bt_check_update=Nach Updates suchen\r\nabout_bt_help=Hilfe\r\n";
    texts.ApplyOffSwitch();
    Open();
    EXPECT_EQ("Vellmark\r\nvon Quaddle", Text(Item(IDC_ABOUT_TITLE)));
    EXPECT_EQ("Nach Updates suchen", Text(Item(IDC_CHECK_UPDATES)));
    EXPECT_EQ("Hilfe", Text(Item(IDC_HELP_BUTTON)));
    std::ifstream in(file, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(std::string::npos, content.find("about_or=about_or"));
    in.close();

    // Hiding changes nothing; the next showing reads the file again, and one removed meanwhile
    // gives "English" everywhere.
    DeleteFileA(file.c_str());
    ShowWindow(page->Handle(), SW_HIDE);
    EXPECT_EQ("Vellmark\r\nvon Quaddle", Text(Item(IDC_ABOUT_TITLE)));
    ShowWindow(page->Handle(), SW_SHOW);
    EXPECT_EQ("English", Text(Item(IDC_ABOUT_TITLE)));
    EXPECT_EQ("English", Text(Item(IDC_HELP_BUTTON)));
    EXPECT_EQ("Version 2.01", Text(Item(IDC_VERSION)));
}

}  // namespace
