#include "settings/language.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

class Language : public ::testing::Test {
  protected:
    void SetUp() override { system.process.programPath = folder.WindowsPath("nimbrel.exe"); }
    void WriteFile(const std::string& content) {
        std::ofstream(folder.HostPath("german.lng"), std::ios::binary) << content;
    }
    std::string FileText() {
        std::ifstream in(folder.HostPath("german.lng"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    FakeSystem system;
    TempFolder folder;
    LanguageTexts texts{folder.WindowsPath("german.lng")};
};

TEST_F(Language, AbsentOrEmptyFileGivesEnglishIsOutOfForceAndLearnsNothing) {
    EXPECT_EQ("English", texts.Text("Led1"));
    texts.Refresh();
    EXPECT_FALSE(texts.InUse());

    WriteFile("[SETTINGS]\r\nLed1=Aus\r\n");
    texts.Refresh();
    EXPECT_EQ("Aus", texts.Text("Led1"));
    WriteFile("");
    texts.Refresh();
    EXPECT_EQ("English", texts.Text("Led1"));
    texts.AddMissing({"Led1"});
    texts.Refresh();
    EXPECT_FALSE(texts.InUse());
    EXPECT_EQ("", FileText());
}

TEST_F(Language, PresentFileIsInForceAndGivesTheText) {
    WriteFile("[SETTINGS]\r\nIDC_REDIAL=Wenn offline, Verbindung herstellen\r\n");
    texts.Refresh();
    EXPECT_TRUE(texts.InUse());
    EXPECT_EQ("Wenn offline, Verbindung herstellen", texts.Text("idc_redial"));
}

// Texts come from the latest reading: a file changed or gone since counts from the next one.
TEST_F(Language, TextsComeFromTheLatestRefresh) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    texts.Refresh();
    WriteFile("[SETTINGS]\r\nOn=Ein\r\n");
    EXPECT_EQ("An", texts.Text("On"));
    std::remove(folder.HostPath("german.lng").c_str());
    EXPECT_EQ("An", texts.TextOr("On", "Stay On"));
    EXPECT_TRUE(texts.InUse());
    texts.Refresh();
    EXPECT_FALSE(texts.InUse());
    EXPECT_EQ("Stay On", texts.TextOr("On", "Stay On"));
}

// A window's texts: only with the file in use at the latest reading, which is taken again first;
// the keys the file lacks show "y" and go into it in the order asked.
TEST_F(Language, TakeReadsAgainGivesTheTextsAndAddsTheMissingKeysInOrder) {
    EXPECT_TRUE(texts.Take({"On"}).empty());
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    EXPECT_TRUE(texts.Take({"On"}).empty());
    texts.Refresh();
    WriteFile("[SETTINGS]\r\nOn=Ein\r\n");
    EXPECT_EQ((std::vector<std::string>{"y", "Ein", "y"}), texts.Take({"Off", "On", "Exit"}));
    EXPECT_EQ("[SETTINGS]\r\nOn=Ein\r\nOff=Off\r\nExit=Exit\r\n", FileText());
    std::remove(folder.HostPath("german.lng").c_str());
    EXPECT_EQ((std::vector<std::string>{"English", "English"}), texts.Take({"On", "Off"}));
    EXPECT_FALSE(texts.InUse());
}

TEST_F(Language, MarkerBecomesCrLf) {
    WriteFile("[SETTINGS]\r\nurlexplain=eins<:BREAK:>zwei\r\n");
    texts.Refresh();
    EXPECT_EQ("eins\r\nzwei", texts.Text("urlexplain"));
}

TEST_F(Language, MissingKeyGivesYAndIsAddedOnceWhenAsked) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    texts.Refresh();
    EXPECT_EQ("y", texts.Text("Exit"));
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\n", FileText());
    texts.AddMissing({"Exit"});
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nExit=Exit\r\n", FileText());
    EXPECT_EQ("Exit", texts.Text("Exit"));
    texts.AddMissing({"exit"});
    EXPECT_EQ(1, system.files.replacements);
}

// Keys go in in the order given, each once; those the file has, in any case, stay as they are.
TEST_F(Language, MissingKeysAreAddedInTheOrderGiven) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n[OTHER]\r\nLed2=x\r\n");
    texts.AddMissing({"Led2", "on", "Led1", "LED2", "about_or"});
    EXPECT_EQ(
        "[SETTINGS]\r\nOn=An\r\nLed2=Led2\r\nLed1=Led1\r\nabout_or=about_or\r\n[OTHER]\r\n"
        "Led2=x\r\n",
        FileText());
    EXPECT_EQ(3, system.files.replacements);
}

// Where "y" or "English" would do harm, the caller's English text stands in.
TEST_F(Language, TextOrEnglishNeverGivesTheMissingMarker) {
    EXPECT_EQ("Nimbrel", texts.TextOr("AutostartLink", "Nimbrel"));  // no file
    WriteFile("[SETTINGS]\r\nOn=An\r\nOff=y\r\n");
    texts.Refresh();
    EXPECT_EQ("Nimbrel", texts.TextOr("AutostartLink", "Nimbrel"));
    texts.AddMissing({"AutostartLink"});
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nOff=y\r\nAutostartLink=AutostartLink\r\n", FileText());
    EXPECT_EQ("AutostartLink", texts.TextOr("AutostartLink", "Nimbrel"));
    EXPECT_EQ("An", texts.TextOr("On", "Stay On"));
    EXPECT_EQ("y", texts.TextOr("Off", "Switch off"));  // the user's own one-letter text
}

TEST_F(Language, EmptyValueGivesEmptyTextAndIsNotMissing) {
    WriteFile("[SETTINGS]\r\nTabSet=\r\n");
    texts.Refresh();
    EXPECT_EQ("", texts.Text("TabSet"));
    texts.AddMissing({"TabSet"});
    EXPECT_EQ(0, system.files.replacements);
}

TEST_F(Language, OneCharacterValueIsTheUsersText) {
    WriteFile("[SETTINGS]\r\nabout_or=&\r\n");
    texts.Refresh();
    EXPECT_EQ("&", texts.Text("about_or"));
    texts.AddMissing({"about_or"});
    EXPECT_EQ(0, system.files.replacements);
    EXPECT_EQ("[SETTINGS]\r\nabout_or=&\r\n", FileText());
}

TEST_F(Language, LongValueComesWhole) {
    WriteFile("[SETTINGS]\r\nurlnote=" + std::string(3000, 'n') + "\r\n");
    texts.Refresh();
    EXPECT_EQ(std::string(3000, 'n'), texts.Text("urlnote"));
}

// The sample beside the program has no byte-order mark: it is in the Western code page.
TEST_F(Language, GermanSampleKeepsItsUmlauts) {
    std::ifstream sample(std::string(NIMBREL_SOURCE_DIR) + "/docs/german.lng", std::ios::binary);
    WriteFile({std::istreambuf_iterator<char>(sample), std::istreambuf_iterator<char>()});
    ASSERT_EQ(std::string::npos, FileText().find("\xEF\xBB\xBF"));
    texts.Refresh();
    EXPECT_EQ("Wenn offline, Verbindung w\xC3\xA4hlen", texts.Text("IDC_REDIAL"));
    EXPECT_EQ("URL \xC3\xA4ndern", texts.Text("IDC_URL"));
    texts.AddMissing({"IDC_REDIAL", "IDC_URL"});
    EXPECT_EQ(0, system.files.replacements);
}

TEST_F(Language, Utf8FileShowsPolishTexts) {
    WriteFile(
        "\xEF\xBB\xBF[SETTINGS]\r\nOn=W\xC5\x82\xC4\x85"
        "cz\r\n");
    texts.Refresh();
    EXPECT_EQ(
        "W\xC5\x82\xC4\x85"
        "cz",
        texts.Text("On"));  // Wlacz with l-stroke, a-ogonek
    EXPECT_EQ("y", texts.Text("Off"));
    texts.AddMissing({"On", "Off"});
    EXPECT_EQ(
        "\xEF\xBB\xBF[SETTINGS]\r\nOn=W\xC5\x82\xC4\x85"
        "cz\r\nOff=Off\r\n",
        FileText());
}

// A missing key goes into a UTF-16 file as UTF-16, after the last line of the section.
TEST_F(Language, Utf16FileGetsItsMissingKeyInUtf16) {
    const std::string file(
        "\xFF\xFE[\0S\0E\0T\0T\0I\0N\0G\0S\0]\0\r\0\n\0O\0n\0=\0"
        "\x14\x04\x30\x04\r\0\n\0",
        40);
    WriteFile(file);
    texts.Refresh();
    EXPECT_EQ("\xD0\x94\xD0\xB0", texts.Text("On"));  // Cyrillic "Da"
    EXPECT_EQ("y", texts.Text("Off"));
    texts.AddMissing({"On", "Off"});
    EXPECT_EQ(file + std::string("O\0f\0f\0=\0O\0f\0f\0\r\0\n\0", 18), FileText());
    EXPECT_EQ("Off", texts.Text("Off"));
}

TEST_F(Language, ReadOnlyFileIsNotDamaged) {
    const std::string content = "[SETTINGS]\r\nOn=An\r\n";
    WriteFile(content);
    chmod(folder.HostPath("german.lng").c_str(), 0444);
    texts.Refresh();
    EXPECT_EQ("y", texts.Text("Off"));
    texts.AddMissing({"Off"});
    EXPECT_EQ("y", texts.Text("Off"));
    texts.AddMissing({"Off"});  // tried again, still nothing written
    EXPECT_EQ(content, FileText());
    texts.Refresh();
    EXPECT_TRUE(texts.InUse());
}

TEST_F(Language, BrokenFileNeverCrashes) {
    WriteFile(std::string("\0\0[SETT\xff\xfe", 9) + "\r\n=\r\n[SET\r\n==\r\n" +
              std::string(70000, 'x') + "\r\n[SETTINGS]\r\nOn=" + std::string(5000, 'z'));
    texts.Refresh();
    EXPECT_EQ(std::string(5000, 'z'), texts.Text("On"));
    EXPECT_EQ("y", texts.Text("Off"));
    texts.AddMissing({"Off"});
    EXPECT_EQ("Off", texts.Text("Off"));
}

TEST_F(Language, LockedFileCountsAsAbsent) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    system.files.lockedPaths = {folder.WindowsPath("german.lng")};
    texts.Refresh();
    EXPECT_EQ("English", texts.Text("On"));
    texts.AddMissing({"Off"});
    texts.Refresh();
    EXPECT_FALSE(texts.InUse());
    EXPECT_EQ(0, system.files.replacements);
}

TEST_F(Language, NofileSwitchesTheFileOffForTheWholeRun) {
    const std::string content = "[SETTINGS]\r\nOK=nofile\r\nOn=An\r\n";
    WriteFile(content);
    texts.ApplyOffSwitch();
    EXPECT_FALSE(texts.InUse());
    EXPECT_EQ("English", texts.Text("On"));
    EXPECT_EQ("English", texts.Text("Off"));
    texts.AddMissing({"Off"});
    texts.Refresh();
    EXPECT_FALSE(texts.InUse());
    EXPECT_EQ(content, FileText());
}

TEST_F(Language, OtherOkTextsLeaveTheFileInForceAndOkIsAdded) {
    for (const char* ok : {"OK=Ja\r\n", "OK=NOFILE\r\n", "OK=nofile2\r\n", ""}) {
        WriteFile(std::string("[SETTINGS]\r\n") + ok + "On=An\r\n");
        texts.ApplyOffSwitch();
        EXPECT_TRUE(texts.InUse()) << ok;
        EXPECT_EQ("An", texts.Text("On")) << ok;
    }
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nOK=OK\r\n", FileText());
}

TEST_F(Language, NoFileAtStartUpStillLetsALaterFileIn) {
    texts.ApplyOffSwitch();
    EXPECT_FALSE(texts.InUse());
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    texts.Refresh();
    EXPECT_TRUE(texts.InUse());
    EXPECT_EQ("An", texts.Text("On"));
}

}  // namespace
