#include <windows.h>

#include <gtest/gtest.h>

#include <regex>

#include "base/wide_text.h"
#include "history/line_history.h"
#include "platform/win32/win32_services.h"
#include "tests/wine/scratch_folder.h"

namespace {

// The real files, under a profile whose folder is named in Polish and Japanese letters.
class ProfileFiles final : public platform::Win32Files {
  public:
    explicit ProfileFiles(std::string folder) : m_folder(std::move(folder)) {}
    std::string LocalAppDataFolder() override { return m_folder; }

  private:
    std::string m_folder;
};

class HistoryFileTest : public ::testing::Test {
  protected:
    HistoryFileTest() {
        CreateDirectoryW(ToWide(m_profile).c_str(), nullptr);
        platform::InstallWin32Services();
        platform::Provide<platform::IFiles>(&m_files);
    }
    ~HistoryFileTest() override { platform::InstallWin32Services(); }

    ScratchFolder m_scratch;
    const std::string m_profile = m_scratch.Path("Łukasz 日本");
    const std::string m_csv = m_profile + "\\Nimbrel\\history.csv";
    ProfileFiles m_files{m_profile};
};

TEST_F(HistoryFileTest, RowsGoIntoAFileWithAByteOrderMarkUnderAnyProfileName) {
    LineHistory history;
    history.Begin();
    history.SwitchOn();
    history.Result(true);
    history.End();

    const std::optional<std::string> csv = platform::Files().ReadFile(m_csv);
    ASSERT_TRUE(csv);
    const std::regex expected(
        "\xEF\xBB\xBF"
        "start,end,state,seconds,probes\r\n"
        "(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d),"
        "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d,online,[01],1\r\n");
    EXPECT_TRUE(std::regex_match(*csv, expected)) << *csv;
}

// A spreadsheet program holds the file open for reading and denies others the writing.
TEST_F(HistoryFileTest, AFileHeldWithoutWriteSharingIsLockedNotFailed) {
    HistoryFile file;
    ASSERT_EQ(platform::FileWrite::kDone, file.Append(""));
    HANDLE held = CreateFileW(ToWide(m_csv).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(platform::FileWrite::kLocked, file.Append("row\r\n"));
    CloseHandle(held);
    EXPECT_EQ(platform::FileWrite::kDone, file.Append("row\r\n"));
}

}  // namespace
