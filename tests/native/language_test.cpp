#include "settings/language.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

class Language : public ::testing::Test {
  protected:
    void SetUp() override { system.process.modulePath = folder.WindowsPath("nimbrel.exe"); }
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

TEST_F(Language, AbsentOrEmptyFileGivesEnglishAndTakesTheFileOutOfForce) {
    EXPECT_EQ("English", texts.Text("Led1"));
    EXPECT_FALSE(texts.InForce());

    WriteFile("[SETTINGS]\r\nLed1=Aus\r\n");
    EXPECT_EQ("Aus", texts.Text("Led1"));
    WriteFile("");
    EXPECT_EQ("English", texts.Text("Led1"));
    EXPECT_FALSE(texts.InForce());
    EXPECT_EQ("", FileText());
}

TEST_F(Language, PresentFileSetsBothFlagsAndGivesTheText) {
    WriteFile("[SETTINGS]\r\nIDC_REDIAL=Wenn offline, Verbindung herstellen\r\n");
    EXPECT_EQ("Wenn offline, Verbindung herstellen", texts.Text("idc_redial"));
    EXPECT_TRUE(texts.InForce());
}

TEST_F(Language, MarkerBecomesCrLf) {
    WriteFile("[SETTINGS]\r\nurlexplain=eins<:BREAK:>zwei\r\n");
    EXPECT_EQ("eins\r\nzwei", texts.Text("urlexplain"));
}

TEST_F(Language, MissingKeyGivesYAndIsAppendedOnce) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    EXPECT_EQ("y", texts.Text("Exit"));
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nExit=Exit\r\n", FileText());
    EXPECT_EQ("Exit", texts.Text("Exit"));
    EXPECT_EQ(1, system.profile.writes);
}

// Where "y" or "English" would do harm, the caller's English text stands in; the missing key
// is still added to the file.
TEST_F(Language, TextOrEnglishNeverGivesTheMissingMarker) {
    EXPECT_EQ("Nimbrel", texts.TextOr("AutostartLink", "Nimbrel"));  // no file
    WriteFile("[SETTINGS]\r\nOn=An\r\nOff=y\r\n");
    EXPECT_EQ("Nimbrel", texts.TextOr("AutostartLink", "Nimbrel"));
    EXPECT_TRUE(texts.InForce());
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nOff=y\r\nAutostartLink=AutostartLink\r\n", FileText());
    EXPECT_EQ("AutostartLink", texts.TextOr("AutostartLink", "Nimbrel"));
    EXPECT_EQ("An", texts.TextOr("On", "Stay On"));
    EXPECT_EQ("y", texts.TextOr("Off", "Switch off"));  // the user's own one-letter text
}

TEST_F(Language, EmptyValueGivesEmptyTextAndNoWrite) {
    WriteFile("[SETTINGS]\r\nTabSet=\r\n");
    EXPECT_EQ("", texts.Text("TabSet"));
    EXPECT_EQ(0, system.profile.writes);
}

TEST_F(Language, OneCharacterValueIsTheUsersText) {
    WriteFile("[SETTINGS]\r\nabout_or=&\r\n");
    EXPECT_EQ("&", texts.Text("about_or"));
    EXPECT_EQ(0, system.profile.writes);
    EXPECT_EQ("[SETTINGS]\r\nabout_or=&\r\n", FileText());
}

TEST_F(Language, LongValueIsCutTo298) {
    WriteFile("[SETTINGS]\r\nurlnote=" + std::string(300, 'n') + "\r\n");
    EXPECT_EQ(std::string(298, 'n'), texts.Text("urlnote"));
}

TEST_F(Language, ReadOnlyFileIsNotDamaged) {
    const std::string content = "[SETTINGS]\r\nOn=An\r\n";
    WriteFile(content);
    chmod(folder.HostPath("german.lng").c_str(), 0444);
    EXPECT_EQ("y", texts.Text("Off"));
    EXPECT_EQ("y", texts.Text("Off"));  // tried again, still nothing written
    EXPECT_EQ(content, FileText());
    EXPECT_TRUE(texts.InForce());
}

TEST_F(Language, BrokenFileNeverCrashes) {
    WriteFile(std::string("\0\0[SETT\xff\xfe", 9) + "\r\n=\r\n[SET\r\n==\r\n" +
              std::string(70000, 'x') + "\r\n[SETTINGS]\r\nOn=" + std::string(5000, 'z'));
    EXPECT_EQ(std::string(298, 'z'), texts.Text("On"));
    EXPECT_EQ("y", texts.Text("Off"));
}

TEST_F(Language, LockedFileCountsAsAbsent) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    system.files.lockedPaths = {folder.WindowsPath("german.lng")};
    EXPECT_EQ("English", texts.Text("On"));
    EXPECT_FALSE(texts.InForce());
}

TEST_F(Language, NofileSwitchesTheFileOffForTheWholeRun) {
    const std::string content = "[SETTINGS]\r\nOK=nofile\r\nOn=An\r\n";
    WriteFile(content);
    texts.ReadSwitch();
    EXPECT_FALSE(texts.InForce());
    EXPECT_EQ("English", texts.Text("On"));
    EXPECT_EQ("English", texts.Text("Off"));
    EXPECT_FALSE(texts.InForce());
    EXPECT_EQ(content, FileText());
}

TEST_F(Language, OtherOkTextsLeaveTheFileInForce) {
    for (const char* ok : {"OK=Ja\r\n", "OK=NOFILE\r\n", "OK=nofile2\r\n", ""}) {
        WriteFile(std::string("[SETTINGS]\r\n") + ok + "On=An\r\n");
        texts.ReadSwitch();
        EXPECT_TRUE(texts.InForce()) << ok;
        EXPECT_EQ("An", texts.Text("On")) << ok;
    }
}

TEST_F(Language, NoFileAtStartUpStillLetsALaterFileIn) {
    texts.ReadSwitch();
    EXPECT_FALSE(texts.InForce());
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    EXPECT_EQ("An", texts.Text("On"));
    EXPECT_TRUE(texts.InForce());
}

}  // namespace
