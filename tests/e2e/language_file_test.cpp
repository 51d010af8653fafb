#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <utility>

#include "res/resource.h"
#include "tests/e2e/driver.h"

namespace {

using namespace driver;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample language file from docs/, copied beside the tests by the build.
std::string Sample() {
    return ReadFile(OwnFolder() + "german.sample.lng");
}

// The texts of a language file by key, as the program shows them: the line-break marker
// becomes CR LF.
std::map<std::string, std::string> TextsOf(const std::string& content) {
    std::map<std::string, std::string> texts;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        const std::string line = content.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string value = line.substr(equals + 1);
        for (std::size_t at; (at = value.find("<:BREAK:>")) != std::string::npos;)
            value.replace(at, 9, "\r\n");
        texts[line.substr(0, equals)] = value;
    }
    return texts;
}

// The sample has no byte-order mark: its bytes are in the system's code page.
std::map<std::string, std::string> SampleTexts() {
    return TextsOf(Utf8FromAnsi(Sample()));
}

class LanguageFileBesideTheProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutDword("FirstTime", 0);
        settings::PutDword("AutoStart", 0);
        settings::PutString("URL1", "http://keep.example/");
        ASSERT_FALSE(Sample().empty());
    }
    void TearDown() override { settings::Clear(); }
};

// Every window of the program with the texts of the file: caption, tabs, the status and the
// settings page, the tip box and the URL dialog.
void ExpectTextsShown(std::map<std::string, std::string> text) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Vellmark - www.quaddle.example/de", Text(main));
    EXPECT_EQ((std::vector<std::string>{text["TabFront"], text["TabSet"], text["TabAbout"]}),
              TabCaptions(main));

    HWND status = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    ASSERT_NE(nullptr, status);
    const std::pair<int, const char*> statusTexts[] = {
        {1113, "Led1"}, {1194, "Led2"},     {1195, "Led3"}, {1100, "On"},
        {1136, "Off"},  {1197, "Min2Tray"}, {1143, "Exit"}};
    for (const auto& [id, key] : statusTexts) EXPECT_EQ(text[key], ItemText(status, id)) << key;

    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(text["IDC_AUTOSTART"], ItemText(page, 1027));
    EXPECT_EQ(text["IDC_REDIAL"], ItemText(page, 1028));
    EXPECT_EQ(text["IDC_IE_PROP"], ItemText(page, 1226));
    EXPECT_EQ(text["IDC_KA"], ItemText(page, 1238));
    EXPECT_EQ(text["IDC_URL"], ItemText(page, 1072));
    EXPECT_EQ("http://keep.example/", ItemText(page, 1237));

    Click(page, 1227);
    HWND tip = nimbrel.WindowTitled("Tip");
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(text["AUTOSTART-HELP"], ItemText(tip, kMessageBoxText));
    PostMessageA(tip, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tip); }));

    Click(page, 1072);
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(text["urltitle"], Text(dialog));
    EXPECT_EQ(text["urlexplain"], ItemText(dialog, IDC_EXPLANATION));
    EXPECT_EQ(text["urlnote"], ItemText(dialog, IDC_URL_NOTE));
    EXPECT_EQ(text["urltest"], ItemText(dialog, IDC_TEST_RESULT));
    EXPECT_EQ(text["buttontesturl"], ItemText(dialog, IDC_TEST_URL));
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), "http://127.0.0.1:9/");
    Click(dialog, IDC_TEST_URL);
    EXPECT_TRUE(
        WaitUntil([&] { return ItemText(dialog, IDC_TEST_RESULT) == text["testfailed"]; }, 30s));
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    ASSERT_NE(nullptr, SelectPage(main, 2));  // the about page looks its texts up too
}

TEST_F(LanguageFileBesideTheProgram, GermanSampleInTheSystemCodePageShowsItsUmlauts) {
    LanguageFile file(Sample());
    const auto text = SampleTexts();
    ASSERT_EQ("URL ändern", text.at("IDC_URL"));
    ExpectTextsShown(text);
    // Every key the program asked for was there: nothing was added to the file.
    EXPECT_EQ(Sample(), file.Content());
}

// Letters that no Western code page has, in a file that says it is UTF-8.
TEST_F(LanguageFileBesideTheProgram, Utf8FileWithByteOrderMarkShowsPolishTexts) {
    const std::string content =
        "\xEF\xBB\xBF[SETTINGS]\r\nOK=OK\r\nTabFront=Stan\r\nTabSet=Ustawienia\r\n"
        "TabAbout=Informacje\r\nLed1=WYŁĄCZONY\r\nLed2=WŁĄCZONY, bez sieci\r\n"
        "Led3=WŁĄCZONY, w sieci\r\nLampLit=świeci\r\nLampNotLit=nie świeci\r\n"
        "On=Włącz\r\nOff=Wyłącz\r\nMin2Tray=Do zasobnika\r\n"
        "Exit=Zakończ\r\nAutostartLink=Vellmark\r\n"
        "IDC_AUTOSTART=Uruchamiaj razem z Windows w zasobniku\r\n"
        "IDC_REDIAL=Bez sieci: wybierz połączenie\r\nIDC_IE_PROP=Właściwości internetowe\r\n"
        "IDC_KA=Adres podtrzymania:\r\nIDC_URL=Zmień adres\r\n"
        "AUTOSTART-HELP=Żeby łączyć się samemu, ustaw w Windows „Zawsze wybieraj "
        "połączenie”.\r\nabout_title=Vellmark<:BREAK:>źródło: Quaddle\r\nabout_or=lub\r\n"
        "about_bt_check_update=Szukaj nowszej wersji\r\nabout_bt_help=Pomoc\r\n"
        "urlexplain=Podaj adres dużej, znanej witryny.<:BREAK:>Postać: http://www.PRZYKŁAD.pl\r\n"
        "urlnote=Uwaga: adres zmienisz później na karcie >Ustawienia<.\r\n"
        "urltest=Sprawdź adres ==>\r\ntestok=Adres działa\r\n"
        "testfailed=Zły adres albo komputer bez sieci!\r\nbuttontesturl=Sprawdź\r\n"
        "cancel=Anuluj\r\nurltitle=Adres podtrzymujący łącze\r\n";
    LanguageFile file(content);
    ExpectTextsShown(TextsOf(content.substr(3)));
    EXPECT_EQ(content, file.Content());
}

TEST_F(LanguageFileBesideTheProgram, NofileKeepsTheEnglishTextsAndLeavesTheFileAlone) {
    const std::string content = "[SETTINGS]\r\nOK=nofile\r\nTabSet=Einstellungen\r\n";
    LanguageFile file(content);
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Nimbrel - www.quaddle.example", Text(main));
    EXPECT_EQ((std::vector<std::string>{"Nimbrel", "Settings", "About"}), TabCaptions(main));
    EXPECT_EQ("Stay On", ItemText(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), 1100));
    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("Change URL", ItemText(page, 1072));
    EXPECT_EQ(content, file.Content());
}

// A file that holds only its section learns every key the program asks for, each once, in the
// order the windows ask; a key it lacked shows "y", except the first lamp's, which goes into
// the file before the status page reads its texts.
TEST_F(LanguageFileBesideTheProgram, FileWithoutTextsLearnsTheKeysInTheOrderAsked) {
    LanguageFile file("[SETTINGS]\r\n");
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ((std::vector<std::string>{"y", "y", "y"}), TabCaptions(main));
    HWND status = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    ASSERT_NE(nullptr, status);
    EXPECT_EQ("Led1", ItemText(status, 1113));
    EXPECT_EQ("y", ItemText(status, 1194));

    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    Click(page, 1227);
    HWND tip = nimbrel.WindowTitled("Tip");
    ASSERT_NE(nullptr, tip);
    PostMessageA(tip, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tip); }));
    Click(page, 1072);
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    ASSERT_NE(nullptr, SelectPage(main, 2));
    status = SelectPage(main, 0);
    ASSERT_NE(nullptr, status);
    Click(status, IDC_EXIT);
    ASSERT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    // The dialog's edit may take the focus before the dialog has set its texts, and the
    // prompt it then shows asks for "urltest" first.
    const std::string dialogKeys[] = {
        "urlexplain=urlexplain\r\nurlnote=urlnote\r\nurltest=urltest\r\n",
        "urltest=urltest\r\nurlexplain=urlexplain\r\nurlnote=urlnote\r\n"};
    const std::string content = file.Content();
    EXPECT_TRUE(std::any_of(std::begin(dialogKeys), std::end(dialogKeys), [&](const auto& keys) {
        return content ==
               "[SETTINGS]\r\nOK=OK\r\nLed1=Led1\r\nLed2=Led2\r\nLed3=Led3\r\nOn=On\r\n"
               "Off=Off\r\nMin2Tray=Min2Tray\r\nExit=Exit\r\nLampLit=LampLit\r\n"
               "LampNotLit=LampNotLit\r\nTabFront=TabFront\r\n"
               "TabSet=TabSet\r\nTabAbout=TabAbout\r\nIDC_AUTOSTART=IDC_AUTOSTART\r\n"
               "IDC_REDIAL=IDC_REDIAL\r\nIDC_IE_PROP=IDC_IE_PROP\r\nIDC_KA=IDC_KA\r\n"
               "IDC_URL=IDC_URL\r\nAUTOSTART-HELP=AUTOSTART-HELP\r\n" +
                   keys +
                   "testok=testok\r\ntestfailed=testfailed\r\nbuttontesturl=buttontesturl\r\n"
                   "urltitle=urltitle\r\nabout_title=about_title\r\nabout_or=about_or\r\n"
                   "about_bt_check_update=about_bt_check_update\r\n"
                   "about_bt_help=about_bt_help\r\nAutostartLink=AutostartLink\r\n";
    })) << content;
}

// Only the status page looks at whether a file appeared, each time it is shown; the other pages
// go by what the last look found. A file gone since shows "English" on the next page shown, a
// hidden page keeps its texts, and after that the pages keep what they show.
TEST_F(LanguageFileBesideTheProgram, FileAddedOrRemovedWhileRunningCountsFromTheStatusPage) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_NE(nullptr, SelectPage(main, 1));
    std::optional<LanguageFile> file;
    file.emplace("[SETTINGS]\r\nOn=An\r\nIDC_URL=URL \xE4ndern\r\n");
    HWND about = SelectPage(main, 2);
    ASSERT_NE(nullptr, about);
    EXPECT_EQ("Nimbrel", ItemText(about, IDC_ABOUT_TITLE));  // not yet

    HWND status = SelectPage(main, 0);
    ASSERT_NE(nullptr, status);
    EXPECT_EQ("An", ItemText(status, IDC_STAY_ON));
    EXPECT_EQ("y", ItemText(status, IDC_SWITCH_OFF));
    HWND settingsPage = SelectPage(main, 1);
    ASSERT_NE(nullptr, settingsPage);
    EXPECT_EQ("URL \xC3\xA4ndern", ItemText(settingsPage, IDC_CHANGE_URL));
    EXPECT_EQ("y", ItemText(settingsPage, IDC_REDIAL));

    file.reset();
    ASSERT_NE(nullptr, SelectPage(main, 2));
    EXPECT_EQ("English", ItemText(about, IDC_ABOUT_TITLE));
    EXPECT_EQ("URL \xC3\xA4ndern", ItemText(settingsPage, IDC_CHANGE_URL));
    ASSERT_NE(nullptr, SelectPage(main, 0));
    EXPECT_EQ("An", ItemText(status, IDC_STAY_ON));
    EXPECT_FALSE(std::ifstream(LanguageFile::Path()).is_open());  // nothing written to it
}

}  // namespace
