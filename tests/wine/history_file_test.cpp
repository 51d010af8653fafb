#include <windows.h>

#include <gtest/gtest.h>

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

// A spreadsheet program holds the file open for reading and denies others the writing.
TEST(HistoryFile, RowsGoIntoAMarkedFileUnderAnyProfileNameAndAHeldFileIsLockedNotFailed) {
    ScratchFolder scratch;
    const std::string profile = scratch.Path("Łukasz 日本");
    ASSERT_TRUE(CreateDirectoryW(ToWide(profile).c_str(), nullptr));
    platform::InstallWin32Services();
    ProfileFiles files(profile);
    platform::Provide<platform::IFiles>(&files);
    LineHistory history;
    history.Begin();
    history.SwitchOn();
    history.Result(true);
    const std::string record = profile + "\\Nimbrel\\history.open";
    EXPECT_EQ(0u, platform::Files().ReadFile(record).value_or("").find("0 "));  // open, online
    EXPECT_FALSE(platform::Files().FileSize(record + ".new"));
    history.End();

    const std::string csv = profile + "\\Nimbrel\\history.csv";
    const std::string bytes = platform::Files().ReadFile(csv).value_or("");
    EXPECT_EQ(0u, bytes.find("\xEF\xBB\xBFstart,end,state,seconds,probes\r\n"));
    EXPECT_NE(std::string::npos, bytes.find(",online,")) << bytes;

    HANDLE held = CreateFileW(ToWide(csv).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(platform::FileWrite::kLocked, platform::Files().AppendToFile(csv, "row\r\n"));
    CloseHandle(held);
    EXPECT_EQ(platform::FileWrite::kDone, platform::Files().AppendToFile(csv, "row\r\n"));
    platform::InstallWin32Services();
}

}  // namespace
