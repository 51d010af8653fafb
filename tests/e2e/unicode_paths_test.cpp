#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver.h"

namespace {

using namespace driver;

// Polish, Greek, Cyrillic and CJK letters, none of them in the Western code page.
const std::wstring kLetters =
    L"\x0141\x00F3\x0064\x017A \x0395\x03BB\x03BB\x03AC\x03B4\x03B1 "
    L"\x0416\x0451\x043B\x0442 \x6771\x4EAC";
const std::wstring kFolder = L"C:\\Nimbrel " + kLetters + L"\\";
const std::wstring kProfile = L"C:\\users\\\x0141ukasz " + kLetters;
const std::wstring kStartup = kProfile +
                              L"\\AppData\\Roaming\\Microsoft\\Windows\\Start "
                              L"Menu\\Programs\\StartUp";
const std::wstring kStartupLink = kStartup + L"\\Nimbrel.lnk";
const wchar_t* const kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The user's Startup folder, as the shell gives it, moved into the profile above for one
// test: Wine keeps the profile of the prefix's own user, so the shell's record of it changes.
class StartupInProfile {
  public:
    StartupInProfile() {
        DWORD size = sizeof m_old;
        m_had = RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"Startup",
                             RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, m_old,
                             &size) == ERROR_SUCCESS;
        Set(kStartup.c_str());
    }
    StartupInProfile(const StartupInProfile&) = delete;
    StartupInProfile& operator=(const StartupInProfile&) = delete;
    ~StartupInProfile() {
        if (m_had) Set(m_old);
    }

  private:
    static void Set(const wchar_t* path) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Startup", REG_EXPAND_SZ, path,
                        static_cast<DWORD>((wcslen(path) + 1) * sizeof(wchar_t)));
    }
    wchar_t m_old[MAX_PATH] = L"";
    bool m_had = false;
};

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
    return bytes;
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return wide;
}

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes(65536, '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The program started from its folder; ended when the test is over.
class StartAs {
  public:
    StartAs(const std::wstring& program, const std::wstring& arguments) {
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       kFolder.c_str(), &startup, &m_process);
    }
    StartAs(const StartAs&) = delete;
    StartAs& operator=(const StartAs&) = delete;
    ~StartAs() {
        if (!m_process.hProcess) return;
        if (WaitForSingleObject(m_process.hProcess, 5000) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    bool Started() const { return m_process.hProcess != nullptr; }
    // The exit code once the start has ended.
    std::optional<DWORD> Ended(DWORD milliseconds) const {
        DWORD code = 0;
        if (WaitForSingleObject(m_process.hProcess, milliseconds) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(m_process.hProcess, &code))
            return std::nullopt;
        return code;
    }

  private:
    PROCESS_INFORMATION m_process{};
};

// Started from a folder, and with a profile, whose names have letters of four scripts outside
// the Western code page, the program finds its language file, writes a shortcut that points at
// itself, and keeps one running instance per user.
class UnicodePaths : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutDword("FirstTime", 0);
        settings::PutDword("AutoStart", 1);
        settings::PutString("URL1", "http://127.0.0.1:9/");
        DeleteFileW(kStartupLink.c_str());
        CreateDirectoryW(kFolder.c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileW((Wide(OwnFolder()) + L"nimbrel.exe").c_str(), Program().c_str(), FALSE));
    }
    void TearDown() override {
        DeleteFileW(kStartupLink.c_str());
        DeleteFileW(Program().c_str());
        DeleteFileW((kFolder + L"german.lng").c_str());
        RemoveDirectoryW(kFolder.c_str());
        settings::Clear();
    }
    static std::wstring Program() { return kFolder + L"nimbrel.exe"; }

    StartupInProfile startupInProfile;
    static void AskToExit() {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"Nimbrel2.ExitRequest"), 0, 0,
                            SMTO_ABORTIFHUNG, 5000, &answer);
    }
};

TEST_F(UnicodePaths, LanguageFileShortcutAndInstanceLockWork) {
    ASSERT_EQ(1252u, GetACP()) << "the tests expect a Western code page";
    const std::wstring language = kFolder + L"german.lng";
    WriteBytes(language, "[SETTINGS]\r\nOn=An\r\n");

    StartAs first(Program(), L"-tray");
    ASSERT_TRUE(first.Started());
    // The file beside the program is found: the keys it lacks are added to it.
    ASSERT_TRUE(WaitUntil([&] { return FileBytes(language).find("OK=OK") != std::string::npos; }));
    // A second start of the same user hands over to the first and ends.
    StartAs second(Program(), L"");
    EXPECT_EQ(0u, second.Ended(15000).value_or(12345));
    EXPECT_FALSE(first.Ended(0).has_value());

    AskToExit();
    ASSERT_EQ(0u, first.Ended(15000).value_or(12345));
    const std::optional<startup::Shortcut> link = startup::ReadAt(Utf8(kStartupLink));
    ASSERT_TRUE(link.has_value()) << Utf8(kStartupLink);
    EXPECT_EQ(Utf8(Program()), link->target);
    EXPECT_EQ(Utf8(kFolder), link->workingDirectory);
    EXPECT_EQ(Utf8(Program()), link->icon);
}

}  // namespace
