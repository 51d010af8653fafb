#include "settings/settings.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "settings/keep_alive_url.h"
#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kSettingsPath = "HKCU\\SOFTWARE\\QUADDLE\\nimbrel2";
constexpr const char* kAgentPath =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post "
    "Platform";

class SettingsTransfer : public ::testing::Test {
  protected:
    void SetUp() override {
        // None at its default, so that a read has to set each one.
        settings.firstStart = 55;
        settings.autoStart = false;
        settings.redial = true;
        settings.firstTime = false;
        settings.url = "stale";
    }

    FakeSystem system;
    Settings settings;
};

TEST_F(SettingsTransfer, FirstRunCreatesTheKeyAndUsesTheDefaults) {
    TransferSettings(settings, Transfer::Read);
    EXPECT_TRUE(system.registry.HasKey(kSettingsPath));
    EXPECT_EQ(1, settings.firstStart);
    EXPECT_TRUE(settings.autoStart);
    EXPECT_FALSE(settings.redial);
    EXPECT_TRUE(settings.firstTime);
    EXPECT_EQ("http://www.", settings.url);
    EXPECT_EQ(nullptr, system.registry.Find(kSettingsPath, "URL1"));  // reading writes nothing
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(SettingsTransfer, WriteStoresAllFiveAndReadBringsThemBack) {
    settings.firstStart = 0;
    settings.autoStart = false;
    settings.redial = true;
    settings.firstTime = false;
    settings.url = "http://www.example.org/";
    TransferSettings(settings, Transfer::Write);
    EXPECT_EQ(1u, system.registry.Dword(kSettingsPath, "Redial"));
    EXPECT_EQ(0u, system.registry.Dword(kSettingsPath, "AutoStart"));
    EXPECT_EQ("http://www.example.org/", system.registry.String(kSettingsPath, "URL1"));

    settings.firstStart = 9;
    settings.autoStart = true;
    settings.redial = false;
    settings.firstTime = true;
    settings.url = "x";
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ(0, settings.firstStart);
    EXPECT_FALSE(settings.autoStart);
    EXPECT_TRUE(settings.redial);
    EXPECT_FALSE(settings.firstTime);
    EXPECT_EQ("http://www.example.org/", settings.url);
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

// The longest URL the dialog takes comes back whole from a save and a read.
TEST_F(SettingsTransfer, LongestUrlSurvivesASaveAndARead) {
    const std::string longest = "http://" + std::string(kUrlMaxLength - 7, 'u');
    SetKeepAliveUrl(settings, longest + "cut");
    TransferSettings(settings, Transfer::Write);
    settings.url = "x";
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ(longest, settings.url);
}

// A value this program never writes reads as a missing one: the setting's default, which the
// next save writes back with the right type.
TEST_F(SettingsTransfer, ForeignValuesGiveTheDefaultsAndAreWrittenBackRight) {
    system.registry.PutRaw(kSettingsPath, "AutoStart", 7, {'1', 0, 0});  // REG_MULTI_SZ
    system.registry.PutString(kSettingsPath, "FirstTime", "");
    system.registry.PutDword(kSettingsPath, "Redial", 2);
    system.registry.PutDword(kSettingsPath, "FirstStart", 0x80000000u);  // no switch: kept
    system.registry.PutRaw(kSettingsPath, "URL1", 7, {'h', 'i', 0, 0});  // REG_MULTI_SZ
    TransferSettings(settings, Transfer::Read);
    EXPECT_TRUE(settings.autoStart);
    EXPECT_TRUE(settings.firstTime);
    EXPECT_FALSE(settings.redial);
    EXPECT_EQ(INT32_MIN, settings.firstStart);
    EXPECT_EQ("http://www.", settings.url);

    TransferSettings(settings, Transfer::Write);
    for (const char* name : {"AutoStart", "FirstTime", "Redial", "FirstStart"})
        EXPECT_EQ(FakeRegistry::kNumber, system.registry.Find(kSettingsPath, name)->type) << name;
    EXPECT_EQ(1u, system.registry.Dword(kSettingsPath, "AutoStart"));
    EXPECT_EQ(0u, system.registry.Dword(kSettingsPath, "Redial"));
    EXPECT_EQ(FakeRegistry::kText, system.registry.Find(kSettingsPath, "URL1")->type);

    for (const std::uint32_t odd : {2u, 0x80000000u, 0xFFFFFFFFu}) {
        system.registry.PutDword(kSettingsPath, "Redial", odd);
        system.registry.PutDword(kSettingsPath, "AutoStart", odd);
        settings.redial = true;
        settings.autoStart = false;
        TransferSettings(settings, Transfer::Read);
        EXPECT_FALSE(settings.redial) << odd;
        EXPECT_TRUE(settings.autoStart) << odd;
    }
}

// A read never asks for write access, so a read-only key still gives the user's settings.
TEST_F(SettingsTransfer, KeyOpenedWithTheAccessOfTheDirection) {
    const std::string open = "OpenKey " + std::string(kSettingsPath) + " ";
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ(open + "read", system.registry.calls[0]);
    TransferSettings(settings, Transfer::Write);
    const auto& calls = system.registry.calls;
    EXPECT_NE(calls.end(), std::find(calls.begin() + 1, calls.end(), open + "create"));
}

// An admin tool or a hand edit may store the URL as expandable text: it is the URL as written,
// never expanded, and a save keeps both its text and its type.
TEST_F(SettingsTransfer, ExpandableUrlIsReadAsStoredAndKeptOnSave) {
    system.registry.PutString(kSettingsPath, "URL1", "http://%COMPUTERNAME%.example/",
                              FakeRegistry::kExpandableText);
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://%COMPUTERNAME%.example/", settings.url);
    TransferSettings(settings, Transfer::Write);
    EXPECT_EQ(FakeRegistry::kExpandableText, system.registry.Find(kSettingsPath, "URL1")->type);
    EXPECT_EQ("http://%COMPUTERNAME%.example/", system.registry.String(kSettingsPath, "URL1"));

    SetKeepAliveUrl(settings, "http://changed.example/");
    TransferSettings(settings, Transfer::Write);
    EXPECT_EQ(FakeRegistry::kExpandableText, system.registry.Find(kSettingsPath, "URL1")->type);
    EXPECT_EQ("http://changed.example/", system.registry.String(kSettingsPath, "URL1"));
}

// The limit counts characters: 299 Greek letters fit although their UTF-8 form is longer, and
// a cut never splits one.
TEST_F(SettingsTransfer, UrlLimitCountsCharactersOfAnyScript) {
    std::string longest = "http://";
    while (longest.size() < 7 + 2 * (kUrlMaxLength - 7)) longest += "\xCE\xB1";
    SetKeepAliveUrl(settings, longest + "\xCE\xB2");
    EXPECT_EQ(longest, settings.url);
    TransferSettings(settings, Transfer::Write);
    settings.url = "x";
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ(longest, settings.url);

    system.registry.PutString(kSettingsPath, "URL1", longest + "\xCE\xB2");
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://www.", settings.url);
}

TEST_F(SettingsTransfer, RegistryThatFailsToOpenGivesDefaultsAndWritesNothing) {
    system.registry.PutDword(kSettingsPath, "Redial", 1);
    system.registry.failingKeys = {"QUADDLE"};
    TransferSettings(settings, Transfer::Read);
    EXPECT_FALSE(settings.redial);
    EXPECT_TRUE(settings.autoStart);
    EXPECT_EQ("http://www.", settings.url);
    settings.redial = false;
    TransferSettings(settings, Transfer::Write);
    EXPECT_EQ(1u, system.registry.Dword(kSettingsPath, "Redial"));
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(SettingsTransfer, TransferMakesTheUrlTheSavedOne) {
    settings.url = "http://changed/";
    settings.savedUrl = "x";
    TransferSettings(settings, Transfer::Write);
    EXPECT_EQ("http://changed/", settings.savedUrl);
    settings.savedUrl = "x";
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://changed/", settings.savedUrl);
}

// A transfer touches the settings' key only; the token is a call of its own.
TEST_F(SettingsTransfer, UserAgentTokenIsItsOwnCallAndAnEmptyText) {
    TransferSettings(settings, Transfer::Read);
    TransferSettings(settings, Transfer::Write);
    EXPECT_FALSE(system.registry.HasKey(kAgentPath));

    RegisterUserAgentToken();
    const FakeRegistry::Value* token = system.registry.Find(kAgentPath, "Quaddle-K-A");
    ASSERT_NE(nullptr, token);
    EXPECT_EQ(FakeRegistry::kText, token->type);
    EXPECT_EQ(std::vector<std::uint8_t>{0}, token->bytes);
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(SettingsTransfer, UserAgentTokenNeedsNoAdministrator) {
    system.registry.failingKeys = {"Post Platform"};
    TransferSettings(settings, Transfer::Write);
    RegisterUserAgentToken();
    EXPECT_FALSE(system.registry.HasKey(kAgentPath));
    EXPECT_TRUE(system.registry.Find(kSettingsPath, "URL1"));
}

TEST_F(SettingsTransfer, DeleteRemovesTheProductKeyOnly) {
    TransferSettings(settings, Transfer::Write);
    RegisterUserAgentToken();
    system.registry.PutString("HKCU\\SOFTWARE\\QUADDLE", "Other", "kept");
    DeleteSettingsKey();
    EXPECT_FALSE(system.registry.HasKey(kSettingsPath));
    EXPECT_TRUE(system.registry.HasKey("HKCU\\SOFTWARE\\QUADDLE"));
    EXPECT_TRUE(system.registry.HasKey(kAgentPath));
    EXPECT_EQ(0u, system.registry.OpenHandles());

    TransferSettings(settings, Transfer::Read);  // the next start is a first run again
    EXPECT_TRUE(settings.firstTime);
}

}  // namespace
