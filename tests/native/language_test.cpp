#include "settings/language.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "settings/folders.h"
#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

class Language : public ::testing::Test {
  protected:
    void SetUp() override {
        system.process.modulePath = folder.WindowsPath("nimbrel.exe");
        InitFolders();
        g_bLanguageFile = g_bGermanEdition = 1;
        g_bLanguageFileOff = 0;
    }
    void TearDown() override { g_bLanguageFileOff = 0; }
    void WriteFile(const std::string& content) {
        std::ofstream(folder.HostPath("german.lng"), std::ios::binary) << content;
    }
    std::string FileText() {
        std::ifstream in(folder.HostPath("german.lng"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    FakeSystem system;
    TempFolder folder;
};

TEST_F(Language, AbsentOrEmptyFileGivesEnglishAndClearsTheFlags) {
    EXPECT_EQ("English", GetLanguageText("Led1"));
    EXPECT_EQ(0, g_bLanguageFile);
    EXPECT_EQ(0, g_bGermanEdition);

    WriteFile("");
    g_bLanguageFile = g_bGermanEdition = 1;
    EXPECT_EQ("English", GetLanguageText("Led1"));
    EXPECT_EQ(0, g_bLanguageFile);
    EXPECT_EQ(0, g_bGermanEdition);
    EXPECT_EQ("", FileText());
}

TEST_F(Language, PresentFileSetsBothFlagsAndGivesTheText) {
    WriteFile("[SETTINGS]\r\nIDC_REDIAL=Wenn offline, Verbindung herstellen\r\n");
    g_bLanguageFile = g_bGermanEdition = 0;
    EXPECT_EQ("Wenn offline, Verbindung herstellen", GetLanguageText("idc_redial"));
    EXPECT_EQ(1, g_bLanguageFile);
    EXPECT_EQ(1, g_bGermanEdition);
}

TEST_F(Language, MarkerBecomesCrLf) {
    WriteFile("[SETTINGS]\r\nurlexplain=eins<:BREAK:>zwei\r\n");
    EXPECT_EQ("eins\r\nzwei", GetLanguageText("urlexplain"));
}

TEST_F(Language, MissingKeyGivesYAndIsAppendedOnce) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    EXPECT_EQ("y", GetLanguageText("Exit"));
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nExit=Exit\r\n", FileText());
    EXPECT_EQ("Exit", GetLanguageText("Exit"));
    EXPECT_EQ(1, system.profile.writes);
}

// Where "y" or "English" would do harm, the caller's English text stands in; the missing key
// is still added to the file.
TEST_F(Language, TextOrEnglishNeverGivesTheMissingMarker) {
    EXPECT_EQ("Nimbrel", GetLanguageTextOr("AutostartLink", "Nimbrel"));  // no file
    WriteFile("[SETTINGS]\r\nOn=An\r\nOff=y\r\n");
    EXPECT_EQ("Nimbrel", GetLanguageTextOr("AutostartLink", "Nimbrel"));
    EXPECT_EQ(1, g_bLanguageFile);
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nOff=y\r\nAutostartLink=AutostartLink\r\n", FileText());
    EXPECT_EQ("AutostartLink", GetLanguageTextOr("AutostartLink", "Nimbrel"));
    EXPECT_EQ("An", GetLanguageTextOr("On", "Stay On"));
    EXPECT_EQ("y", GetLanguageTextOr("Off", "Switch off"));  // the user's own one-letter text
}

TEST_F(Language, EmptyValueGivesEmptyTextAndNoWrite) {
    WriteFile("[SETTINGS]\r\nTabSet=\r\n");
    EXPECT_EQ("", GetLanguageText("TabSet"));
    EXPECT_EQ(0, system.profile.writes);
}

TEST_F(Language, OneCharacterValueIsTheUsersText) {
    WriteFile("[SETTINGS]\r\nabout_or=&\r\n");
    EXPECT_EQ("&", GetLanguageText("about_or"));
    EXPECT_EQ(0, system.profile.writes);
    EXPECT_EQ("[SETTINGS]\r\nabout_or=&\r\n", FileText());
}

TEST_F(Language, LongValueIsCutTo298) {
    WriteFile("[SETTINGS]\r\nurlnote=" + std::string(300, 'n') + "\r\n");
    EXPECT_EQ(std::string(298, 'n'), GetLanguageText("urlnote"));
}

TEST_F(Language, ReadOnlyFileIsNotDamaged) {
    const std::string content = "[SETTINGS]\r\nOn=An\r\n";
    WriteFile(content);
    chmod(folder.HostPath("german.lng").c_str(), 0444);
    EXPECT_EQ("y", GetLanguageText("Off"));
    EXPECT_EQ("y", GetLanguageText("Off"));  // tried again, still nothing written
    EXPECT_EQ(content, FileText());
    EXPECT_EQ(1, g_bLanguageFile);
}

TEST_F(Language, BrokenFileNeverCrashes) {
    WriteFile(std::string("\0\0[SETT\xff\xfe", 9) + "\r\n=\r\n[SET\r\n==\r\n" +
              std::string(70000, 'x') + "\r\n[SETTINGS]\r\nOn=" + std::string(5000, 'z'));
    EXPECT_EQ(std::string(298, 'z'), GetLanguageText("On"));
    EXPECT_EQ("y", GetLanguageText("Off"));
}

TEST_F(Language, LockedFileCountsAsAbsent) {
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    system.files.lockedPaths = {folder.WindowsPath("german.lng")};
    EXPECT_EQ("English", GetLanguageText("On"));
    EXPECT_EQ(0, g_bLanguageFile);
}

TEST_F(Language, NofileSwitchesTheFileOffForTheWholeRun) {
    const std::string content = "[SETTINGS]\r\nOK=nofile\r\nOn=An\r\n";
    WriteFile(content);
    ReadLanguageSwitch();
    EXPECT_EQ(0, g_bLanguageFile);
    EXPECT_EQ(0, g_bGermanEdition);
    EXPECT_EQ("English", GetLanguageText("On"));
    EXPECT_EQ("English", GetLanguageText("Off"));
    EXPECT_EQ(0, g_bLanguageFile);
    EXPECT_EQ(0, g_bGermanEdition);
    EXPECT_EQ(content, FileText());
}

TEST_F(Language, OtherOkTextsLeaveTheFileInForce) {
    for (const char* ok : {"OK=Ja\r\n", "OK=NOFILE\r\n", "OK=nofile2\r\n", ""}) {
        WriteFile(std::string("[SETTINGS]\r\n") + ok + "On=An\r\n");
        ReadLanguageSwitch();
        EXPECT_EQ(1, g_bLanguageFile) << ok;
        EXPECT_EQ(1, g_bGermanEdition) << ok;
        EXPECT_EQ("An", GetLanguageText("On")) << ok;
    }
}

TEST_F(Language, NoFileAtStartUpStillLetsALaterFileIn) {
    ReadLanguageSwitch();
    EXPECT_EQ(0, g_bLanguageFile);
    WriteFile("[SETTINGS]\r\nOn=An\r\n");
    EXPECT_EQ("An", GetLanguageText("On"));
    EXPECT_EQ(1, g_bLanguageFile);
}

}  // namespace
