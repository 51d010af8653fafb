#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/win32_services.h"
#include "settings/language.h"

namespace {

// A folder whose name has Polish, Greek, Cyrillic and CJK letters, with a "german.lng" in it.
class LanguageFileInAnyFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallWin32Services();
        ASSERT_EQ(1252u, GetACP()) << "the tests expect a Western code page";
        CreateDirectoryW(kFolder, nullptr);
    }
    void TearDown() override {
        DeleteFileW(kFile);
        RemoveDirectoryW(kFolder);
    }
    static void Write(const std::string& bytes) {
        HANDLE file = CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    static constexpr const wchar_t* kFolder =
        L"C:\\nimbrel-\x0141\x00F3\x0064\x017A \x0395\x03BB \x0416\x0451 \x6771\x4EAC";
    static constexpr const wchar_t* kFile =
        L"C:\\nimbrel-\x0141\x00F3\x0064\x017A \x0395\x03BB \x0416\x0451 \x6771\x4EAC\\german.lng";
    LanguageTexts texts{
        "C:\\nimbrel-\xC5\x81\xC3\xB3\x64\xC5\xBA \xCE\x95\xCE\xBB \xD0\x96\xD1\x91 "
        "\xE6\x9D\xB1\xE4\xBA\xAC\\german.lng"};
};

// The sample has no byte-order mark: the system's code page gives its umlauts.
TEST_F(LanguageFileInAnyFolder, GermanSampleShowsItsUmlauts) {
    wchar_t own[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring sampleFile = own;
    sampleFile = sampleFile.substr(0, sampleFile.rfind(L'\\') + 1) + L"german.sample.lng";
    std::ifstream sample(sampleFile.c_str(), std::ios::binary);
    ASSERT_TRUE(sample.is_open());
    Write({std::istreambuf_iterator<char>(sample), std::istreambuf_iterator<char>()});
    texts.Refresh();
    EXPECT_TRUE(texts.InUse());
    EXPECT_EQ("Wenn offline, Verbindung w\xC3\xA4hlen", texts.Text("IDC_REDIAL"));
}

TEST_F(LanguageFileInAnyFolder, Utf8FileShowsPolishTexts) {
    Write(
        "\xEF\xBB\xBF[SETTINGS]\r\nOn=W\xC5\x82\xC4\x85"
        "cz\r\n");
    texts.Refresh();
    EXPECT_EQ(
        "W\xC5\x82\xC4\x85"
        "cz",
        texts.Text("On"));
    EXPECT_EQ("y", texts.Text("Off"));
    texts.AddMissing({"Off"});
    EXPECT_EQ("Off", texts.Text("Off"));  // added to the file in the folder
}

}  // namespace
