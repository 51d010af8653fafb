#include "history/line_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "history/history_row.h"
#include "history/line_texts.h"
#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

constexpr std::int64_t k0905 = 1796717107;  // 2026-12-08 08:05:07 UTC, 09:05:07 at +01:00

// The history over the doubles, its files in a fresh folder, the clock at 09:05:07 local.
class History : public ::testing::Test {
  protected:
    History() {
        system.files.localAppData = folder.WindowsDirectory() + "Local";
        std::filesystem::create_directory(folder.HostPath("Local"));
        system.clock.now = k0905;
    }
    void After(std::int64_t seconds) { system.clock.now += seconds; }
    std::string Csv() const { return Read("history.csv"); }
    std::string Read(const std::string& name) const {
        std::ifstream in(folder.HostPath("Local/Nimbrel/" + name), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::string CsvPath() const { return folder.WindowsPath("Local\\Nimbrel\\history.csv"); }

    FakeSystem system;
    TempFolder folder;
    LineHistory history;
};

TEST_F(History, EachChangeAndTheSwitchOffEndAPeriodAndExitEndsTheLast) {
    history.Begin();
    history.SwitchOn();
    After(1);
    EXPECT_FALSE(history.Result(false));  // the first result is no change
    After(309);
    EXPECT_FALSE(history.Result(false));
    After(310);
    const auto back = history.Result(true);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->online);
    EXPECT_EQ(620, back->downSeconds);
    After(30);
    history.SwitchOff();
    EXPECT_FALSE(history.Result(true));  // a late result while off counts for nothing
    After(100);
    history.End();
    history.SwitchOn();
    EXPECT_EQ(
        "\xEF\xBB\xBF"
        "start,end,state,seconds,probes\r\n"
        "2026-12-08T09:05:07+01:00,2026-12-08T09:15:27+01:00,offline,620,2\r\n"
        "2026-12-08T09:15:27+01:00,2026-12-08T09:15:57+01:00,online,30,1\r\n"
        "2026-12-08T09:15:57+01:00,2026-12-08T09:17:37+01:00,off,100,0\r\n",
        Csv());
    EXPECT_FALSE(std::filesystem::exists(folder.HostPath("Local/Nimbrel/history.open")));
}

TEST_F(History, ASwitchOnWithoutAResultAndAStartInOffWriteNothing) {
    history.Begin();
    history.SwitchOn();
    After(5);
    history.End();
    EXPECT_EQ("", Csv());
}

TEST_F(History, AKilledRunsPeriodEndsAtItsLastRecordedProbeInTheNextRun) {
    history.Begin();
    history.SwitchOn();
    history.Result(true);
    After(40);
    history.Result(true);  // within the minute: the record stays as it was
    After(30);
    history.Result(true);
    After(20);
    history.Result(true);

    system.clock.now = k0905 + 3600;
    LineHistory next;
    next.Begin();
    EXPECT_EQ(
        "\xEF\xBB\xBF"
        "start,end,state,seconds,probes\r\n"
        "2026-12-08T09:05:07+01:00,2026-12-08T09:06:17+01:00,online,70,3\r\n",
        Csv());
    EXPECT_FALSE(std::filesystem::exists(folder.HostPath("Local/Nimbrel/history.open")));
}

TEST_F(History, ALockedFileDelaysRowsEvenPastTheRunAndTheyComeInOrder) {
    history.Begin();
    history.SwitchOn();
    history.Result(true);
    After(10);
    system.files.lockedPaths.insert(CsvPath());
    history.Result(false);
    After(10);
    history.SwitchOff();
    history.Retry();
    history.End();
    EXPECT_EQ("", Csv());
    EXPECT_FALSE(history.TakeFailure());

    system.files.lockedPaths.clear();
    LineHistory next;
    next.Begin();
    const std::string csv = Csv();
    EXPECT_NE(std::string::npos, csv.find("09:05:17+01:00,online,10,1\r\n2026")) << csv;
    EXPECT_NE(std::string::npos, csv.find(",offline,10,1\r\n2026")) << csv;
    EXPECT_NE(std::string::npos, csv.find(",off,0,0\r\n")) << csv;
}

TEST_F(History, PastOneMebibyteTheFileMovesAsideAndANewOneBegins) {
    std::filesystem::create_directory(folder.HostPath("Local/Nimbrel"));
    std::ofstream(folder.HostPath("Local/Nimbrel/history.csv"))
        << std::string(HistoryFile::kHistoryRotation, 'x');
    std::ofstream(folder.HostPath("Local/Nimbrel/history.1.csv")) << "older";
    history.Begin();
    history.SwitchOn();
    history.Result(true);
    history.SwitchOff();
    EXPECT_EQ(HistoryFile::kHistoryRotation, Read("history.1.csv").size());
    EXPECT_EQ(0u, Csv().find("\xEF\xBB\xBF"
                             "start,"));
    EXPECT_NE(std::string::npos, Csv().find(",online,0,1\r\n"));
}

TEST_F(History, AFailedWriteIsToldOnceAndTheRunGoesOn) {
    system.files.localAppData = folder.WindowsDirectory() + "Missing\\Deeper";
    history.Begin();
    history.SwitchOn();
    history.Result(true);
    history.SwitchOff();
    EXPECT_TRUE(history.TakeFailure());
    history.SwitchOn();
    EXPECT_FALSE(history.TakeFailure());
}

TEST_F(History, AnOpenedHistoryBeforeAnyRowHoldsTheHeadOnly) {
    history.Begin();
    EXPECT_EQ(CsvPath(), history.PreparedFile());
    EXPECT_EQ("\xEF\xBB\xBFstart,end,state,seconds,probes\r\n", Csv());
}

TEST(HistoryRow, FieldsAreQuotedOnlyWhereASpreadsheetNeedsIt) {
    EXPECT_EQ("online", CsvField("online"));
    EXPECT_EQ("\"a,b\"", CsvField("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", CsvField("say \"hi\""));
    EXPECT_EQ("\"two\r\nlines\"", CsvField("two\r\nlines"));
}

TEST(HistoryRow, LocalTimesCarryTheirOffsetEitherSideOfUtc) {
    FakeSystem system;
    system.clock.offsetMinutes = -210;
    EXPECT_EQ("2026-12-08T04:35:07-03:30", IsoLocalTime(k0905));
    system.clock.offsetMinutes = 0;
    EXPECT_EQ("2026-12-08T08:05:07+00:00", IsoLocalTime(k0905));
}

TEST(LineTexts, DurationsShowTheLargestTwoUnits) {
    EXPECT_EQ("0 s", DurationText(0));
    EXPECT_EQ("45 s", DurationText(45));
    EXPECT_EQ("3 min 12 s", DurationText(192));
    EXPECT_EQ("1 h", DurationText(3600 + 59));
    EXPECT_EQ("2 h 5 min", DurationText(2 * 3600 + 5 * 60 + 7));
    EXPECT_EQ("1 d 3 h", DurationText(86400 + 3 * 3600 + 1));
}

TEST(LineTexts, TheTipSaysTheStateAndSinceWhen) {
    FakeSystem system;
    EXPECT_EQ("Off", TipStateLine(std::nullopt));
    EXPECT_EQ("Off", TipStateLine(LinePeriod{LineState::kOff, k0905, k0905, 0}));
    EXPECT_EQ("Online since 09:05", TipStateLine(LinePeriod{LineState::kOnline, k0905, k0905, 1}));
    EXPECT_EQ("Offline since 10:12",
              TipStateLine(LinePeriod{LineState::kOffline, k0905 + 67 * 60, k0905, 1}));
}

}  // namespace
