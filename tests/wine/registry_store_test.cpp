#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32/win32_services.h"
#include "settings/settings.h"

namespace {

constexpr const char* kMakerPath = "SOFTWARE\\QUADDLE";
constexpr const char* kSettingsPath = "SOFTWARE\\QUADDLE\\nimbrel2";

// The settings under Wine's real registry, starting from a first run every time.
class RealRegistry : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallWin32Services();
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsPath);
        // None at its default, so that a read has to set each one.
        settings.firstStart = 7;
        settings.autoStart = false;
        settings.redial = true;
        settings.firstTime = false;
        settings.url = "stale";
    }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsPath); }

    Settings settings;

    static void Put(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsPath, 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static void PutText(const char* name, const std::string& text) {
        Put(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    static bool Query(const char* path, const char* name, DWORD* type, DWORD* value) {
        DWORD size = sizeof *value;
        return RegGetValueA(HKEY_CURRENT_USER, path, name, RRF_RT_ANY, type, value, &size) ==
               ERROR_SUCCESS;
    }
    static bool KeyExists(const char* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
};

TEST_F(RealRegistry, FirstRunCreatesTheKeyAndSavesTheFiveDefaults) {
    TransferSettings(settings, Transfer::Read);
    EXPECT_TRUE(KeyExists(kSettingsPath));
    EXPECT_EQ(1, settings.firstStart);
    EXPECT_TRUE(settings.autoStart);
    EXPECT_FALSE(settings.redial);
    EXPECT_TRUE(settings.firstTime);
    EXPECT_EQ("http://www.", settings.url);

    TransferSettings(settings, Transfer::Write);
    const char* names[] = {"FirstStart", "AutoStart", "Redial", "FirstTime"};
    const DWORD expected[] = {1, 1, 0, 1};
    for (int i = 0; i < 4; ++i) {
        DWORD type = 0;
        DWORD value = 99;
        ASSERT_TRUE(Query(kSettingsPath, names[i], &type, &value)) << names[i];
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << names[i];
        EXPECT_EQ(expected[i], value) << names[i];
    }
    char url[64] = "";
    DWORD size = sizeof url;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, kSettingsPath, "URL1", RRF_RT_REG_SZ,
                                          nullptr, url, &size));
    EXPECT_STREQ("http://www.", url);
}

// URL1 as expandable text is read as written, never expanded, and keeps its type; a URL with
// letters outside the ANSI code page comes back whole.
TEST_F(RealRegistry, ExpandableOrWideUrlIsReadAsStoredAndKeepsItsType) {
    const std::wstring stored = L"http://%COMPUTERNAME%.example/\x0142\x03B1\x0436\x6771";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\QUADDLE\\nimbrel2", 0,
                                             nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    RegSetValueExW(key, L"URL1", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                   static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://%COMPUTERNAME%.example/\xC5\x82\xCE\xB1\xD0\xB6\xE6\x9D\xB1", settings.url);

    TransferSettings(settings, Transfer::Write);
    wchar_t read[128] = L"";
    DWORD type = 0;
    DWORD size = sizeof read;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\QUADDLE\\nimbrel2",
                                          L"URL1", RRF_RT_ANY | RRF_NOEXPAND, &type, read, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type);
    EXPECT_EQ(stored, read);
}

TEST_F(RealRegistry, LongestUrlIsReadAndOneMoreIsNot) {
    const std::string longest = "http://" + std::string(kUrlMaxLength - 7, 'a');
    PutText("URL1", longest);
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ(longest, settings.url);

    PutText("URL1", longest + "b");
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://www.", settings.url);

    PutText("URL1", std::string(10000, 'u'));
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://www.", settings.url);
}

TEST_F(RealRegistry, Url1WithoutTerminatorIsTerminated) {
    Put("URL1", REG_SZ, "http://x.example", 16);
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://x.example", settings.url);
    Put("URL1", REG_DWORD, "\x41\x41\x41\x41", 4);
    TransferSettings(settings, Transfer::Read);
    EXPECT_EQ("http://www.", settings.url);
}

// Values of another type or size read as missing ones and are written back as DWORDs.
TEST_F(RealRegistry, DwordValuesStoredWithOtherTypesGiveTheDefaults) {
    PutText("Redial", "1");
    Put("AutoStart", REG_MULTI_SZ, "1\0", 3);
    Put("FirstTime", REG_BINARY, "\x00\x00\x00\x00", 4);
    PutText("FirstStart", "");
    TransferSettings(settings, Transfer::Read);
    EXPECT_FALSE(settings.redial);
    EXPECT_TRUE(settings.autoStart);
    EXPECT_TRUE(settings.firstTime);
    EXPECT_EQ(1, settings.firstStart);

    TransferSettings(settings, Transfer::Write);
    for (const char* name : {"Redial", "AutoStart", "FirstTime", "FirstStart"}) {
        DWORD type = 0;
        DWORD value = 99;
        ASSERT_TRUE(Query(kSettingsPath, name, &type, &value)) << name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << name;
    }
}

TEST_F(RealRegistry, DeleteSettingsKeyKeepsTheMakersKey) {
    TransferSettings(settings, Transfer::Write);
    DeleteSettingsKey();
    EXPECT_FALSE(KeyExists(kSettingsPath));
    EXPECT_TRUE(KeyExists(kMakerPath));
    DeleteSettingsKey();  // a second time finds nothing and says nothing
    EXPECT_TRUE(KeyExists(kMakerPath));
}

}  // namespace
