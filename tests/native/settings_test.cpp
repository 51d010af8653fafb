#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "settings/folders.h"
#include "settings/keep_alive_url.h"
#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kSettingsPath = "HKCU\\SOFTWARE\\QUADDLE\\nimbrel2";
constexpr const char* kAgentPath =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post "
    "Platform";

class Settings : public ::testing::Test {
  protected:
    void SetUp() override {
        g_iFirstStart = g_bAutoStart = g_bRedial = g_bFirstTime = 55;
        std::strcpy(g_szURL1, "stale");
        InitFolders();
    }

    FakeSystem system;
};

TEST_F(Settings, FirstRunCreatesTheKeyAndUsesTheDefaults) {
    EXPECT_EQ(1, TransferSettings(STORE_READ));
    EXPECT_TRUE(system.registry.HasKey(kSettingsPath));
    EXPECT_EQ(1, g_iFirstStart);
    EXPECT_EQ(1, g_bAutoStart);
    EXPECT_EQ(0, g_bRedial);
    EXPECT_EQ(1, g_bFirstTime);
    EXPECT_STREQ("http://www.", g_szURL1);
    EXPECT_EQ(nullptr, system.registry.Find(kSettingsPath, "URL1"));  // reading writes nothing
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Settings, WriteStoresAllFiveAndReadBringsThemBack) {
    g_iFirstStart = 0;
    g_bAutoStart = 0;
    g_bRedial = 1;
    g_bFirstTime = 0;
    std::strcpy(g_szURL1, "http://www.example.org/");
    TransferSettings(STORE_WRITE);
    EXPECT_EQ(1u, system.registry.Dword(kSettingsPath, "Redial"));
    EXPECT_EQ("http://www.example.org/", system.registry.String(kSettingsPath, "URL1"));

    g_iFirstStart = g_bAutoStart = g_bRedial = g_bFirstTime = 9;
    std::strcpy(g_szURL1, "x");
    TransferSettings(STORE_READ);
    EXPECT_EQ(0, g_iFirstStart);
    EXPECT_EQ(0, g_bAutoStart);
    EXPECT_EQ(1, g_bRedial);
    EXPECT_EQ(0, g_bFirstTime);
    EXPECT_STREQ("http://www.example.org/", g_szURL1);
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

// The longest URL the dialog takes comes back whole from a save and a read.
TEST_F(Settings, LongestUrlSurvivesASaveAndARead) {
    const std::string longest = "http://" + std::string(kUrlMaxLength - 7, 'u');
    SetKeepAliveUrl(longest + "cut");
    TransferSettings(STORE_WRITE);
    std::strcpy(g_szURL1, "x");
    TransferSettings(STORE_READ);
    EXPECT_EQ(longest, g_szURL1);
    g_strURL = g_strURL2 = "http://www.";
}

// A value this program never writes reads as a missing one: the setting's default, which the
// next save writes back with the right type.
TEST_F(Settings, ForeignValuesGiveTheDefaultsAndAreWrittenBackRight) {
    system.registry.PutRaw(kSettingsPath, "AutoStart", 7, {'1', 0, 0});  // REG_MULTI_SZ
    system.registry.PutString(kSettingsPath, "FirstTime", "");
    system.registry.PutDword(kSettingsPath, "Redial", 2);
    system.registry.PutDword(kSettingsPath, "FirstStart", 0x80000000u);  // no switch: kept
    system.registry.PutRaw(kSettingsPath, "URL1", 2, {'h', 'i', 0});     // REG_EXPAND_SZ
    TransferSettings(STORE_READ);
    EXPECT_EQ(1, g_bAutoStart);
    EXPECT_EQ(1, g_bFirstTime);
    EXPECT_EQ(0, g_bRedial);
    EXPECT_EQ(INT32_MIN, g_iFirstStart);
    EXPECT_STREQ("http://www.", g_szURL1);

    TransferSettings(STORE_WRITE);
    for (const char* name : {"AutoStart", "FirstTime", "Redial", "FirstStart"})
        EXPECT_EQ(platform::kRegDword, system.registry.Find(kSettingsPath, name)->type) << name;
    EXPECT_EQ(1u, system.registry.Dword(kSettingsPath, "AutoStart"));
    EXPECT_EQ(0u, system.registry.Dword(kSettingsPath, "Redial"));
    EXPECT_EQ(platform::kRegSz, system.registry.Find(kSettingsPath, "URL1")->type);

    for (const std::uint32_t odd : {2u, 0x80000000u, 0xFFFFFFFFu}) {
        system.registry.PutDword(kSettingsPath, "Redial", odd);
        system.registry.PutDword(kSettingsPath, "AutoStart", odd);
        TransferSettings(STORE_READ);
        EXPECT_EQ(0, g_bRedial) << odd;
        EXPECT_EQ(1, g_bAutoStart) << odd;
    }
}

TEST_F(Settings, KeyOpenedWithTheAccessOfTheDirection) {
    TransferSettings(STORE_READ);
    TransferSettings(STORE_WRITE);
    EXPECT_EQ("CreateKeyEx HKCU\\SOFTWARE\\QUADDLE\\nimbrel2 131097", system.registry.calls[0]);
    const auto write = std::find(system.registry.calls.begin() + 1, system.registry.calls.end(),
                                 "CreateKeyEx HKCU\\SOFTWARE\\QUADDLE\\nimbrel2 2");
    EXPECT_NE(system.registry.calls.end(), write);
}

TEST_F(Settings, RegistryThatFailsToOpenGivesDefaultsAndWritesNothing) {
    system.registry.PutDword(kSettingsPath, "Redial", 1);
    system.registry.failingKeys = {"QUADDLE"};
    EXPECT_EQ(1, TransferSettings(STORE_READ));
    EXPECT_EQ(0, g_bRedial);
    EXPECT_EQ(1, g_bAutoStart);
    EXPECT_STREQ("http://www.", g_szURL1);
    g_bRedial = 0;
    EXPECT_EQ(1, TransferSettings(STORE_WRITE));
    EXPECT_EQ(1u, system.registry.Dword(kSettingsPath, "Redial"));
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Settings, TransferRefreshesTheSharedTexts) {
    system.files.currentDirectory = "D:\\Start";
    InitFolders();
    g_strURL = "http://changed/";
    TransferSettings(STORE_READ);
    EXPECT_STREQ("C:\\Tools\\help.htm", g_szHelpPath);
    EXPECT_EQ("http://changed/", g_strURL2);
    EXPECT_EQ("D:\\Start\\", g_strCurrentDir);
    EXPECT_EQ("C:\\Users\\me\\Start Menu\\Programs\\Startup\\", g_strStartupDir);
    g_strURL = g_strURL2 = "http://www.";
}

TEST_F(Settings, UserAgentTokenIsWrittenInBothDirections) {
    TransferSettings(STORE_READ);
    const FakeRegistry::Value* token = system.registry.Find(kAgentPath, "Quaddle-K-A");
    ASSERT_NE(nullptr, token);
    EXPECT_EQ(platform::kRegSz, token->type);
    EXPECT_EQ(std::vector<std::uint8_t>{0}, token->bytes);
}

TEST_F(Settings, UserAgentTokenNeedsNoAdministrator) {
    system.registry.failingKeys = {"Post Platform"};
    EXPECT_EQ(1, TransferSettings(STORE_WRITE));
    EXPECT_FALSE(system.registry.HasKey(kAgentPath));
    EXPECT_TRUE(system.registry.Find(kSettingsPath, "URL1"));
}

TEST_F(Settings, DeleteRemovesTheProductKeyOnly) {
    TransferSettings(STORE_WRITE);
    system.registry.PutString("HKCU\\SOFTWARE\\QUADDLE", "Other", "kept");
    DeleteSettingsKey();
    EXPECT_FALSE(system.registry.HasKey(kSettingsPath));
    EXPECT_TRUE(system.registry.HasKey("HKCU\\SOFTWARE\\QUADDLE"));
    EXPECT_TRUE(system.registry.HasKey(kAgentPath));
    EXPECT_EQ(0u, system.registry.OpenHandles());

    TransferSettings(STORE_READ);  // the next start is a first run again
    EXPECT_EQ(1, g_bFirstTime);
}

}  // namespace
