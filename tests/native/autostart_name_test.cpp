#include "settings/autostart_name.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/language.h"
#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

class AutostartName : public ::testing::Test {
  protected:
    void SetUp() override { system.process.programPath = folder.WindowsPath("nimbrel.exe"); }
    std::string NameFor(const std::string& text) {
        std::ofstream(folder.HostPath("german.lng"), std::ios::binary | std::ios::trunc)
            << "[SETTINGS]\r\nAutostartLink=" << text << "\r\n";
        texts.ApplyOffSwitch();
        return AutostartLinkName(texts);
    }

    FakeSystem system;
    TempFolder folder;
    LanguageTexts texts{folder.WindowsPath("german.lng")};
    const std::string startup = "C:\\Startup\\";
};

TEST_F(AutostartName, IsTheProductsWithoutLanguageFile) {
    texts.ApplyOffSwitch();
    EXPECT_EQ("Nimbrel", AutostartLinkName(texts));
    EXPECT_EQ("C:\\Startup\\Nimbrel.lnk", StartupLinkFile(startup, AutostartLinkName(texts)));
}

TEST_F(AutostartName, KeepsTheLanguageFilesText) {
    EXPECT_EQ("Vellmark", NameFor("Vellmark"));
    EXPECT_EQ("Vellmark (con)", NameFor("Vellmark (con)"));
    EXPECT_EQ("CONSOLE", NameFor("CONSOLE"));
    EXPECT_EQ("COM10", NameFor("COM10"));
}

// Found by the shortcut_name fuzz target: Windows opens a device for these in any folder.
TEST_F(AutostartName, NeverNamesADevice) {
    EXPECT_EQ("_CON", NameFor("CON"));
    EXPECT_EQ("_com1.txt", NameFor("com1.txt"));
    EXPECT_EQ("_LPT9 .txt", NameFor("LPT9 .txt"));
    EXPECT_EQ("_nul . x", NameFor("nul . x"));
    EXPECT_EQ("C:\\Startup\\_Aux.lnk", StartupLinkFile(startup, NameFor("Aux")));
}

TEST_F(AutostartName, NeverLeavesTheStartupFolderNorIsBlank) {
    EXPECT_EQ(".._evil_x", NameFor("..\\evil/x"));
    EXPECT_EQ("Nimbrel", NameFor(". ."));
    EXPECT_EQ("Nimbrel", NameFor("..."));
}

// The first run adds the missing key with its placeholder; the next run reads that placeholder
// back and must give the same name.
TEST_F(AutostartName, StaysTheProductsAcrossRunsWhenTheKeyIsMissing) {
    std::ofstream(folder.HostPath("german.lng"), std::ios::binary) << "[SETTINGS]\r\nOn=An\r\n";
    texts.ApplyOffSwitch();
    EXPECT_EQ("Nimbrel", AutostartLinkName(texts));
    texts.AddMissing({kAutostartLinkKey});
    std::ifstream written(folder.HostPath("german.lng"), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(written)),
                              std::istreambuf_iterator<char>());
    ASSERT_NE(std::string::npos, content.find("AutostartLink=AutostartLink"));
    LanguageTexts nextRun{folder.WindowsPath("german.lng")};
    nextRun.ApplyOffSwitch();
    EXPECT_EQ("Nimbrel", AutostartLinkName(nextRun));
    EXPECT_EQ("Nimbrel", NameFor("AutostartLink"));
    EXPECT_EQ("AutostartLink2", NameFor("AutostartLink2"));
}

TEST_F(AutostartName, HasNoFileWithoutAStartupFolder) {
    EXPECT_EQ("", StartupLinkFile("", "Nimbrel"));
}

}  // namespace
