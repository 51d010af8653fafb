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

const std::string kHead = "\xEF\xBB\xBFstart,end,state,seconds,probes\r\n";

// The history in a fresh folder, the clock at 2026-12-08 09:05:07 at +01:00.
class History : public ::testing::Test {
  protected:
    History() {
        system.files.localAppData = folder.WindowsPath("Local");
        std::filesystem::create_directories(folder.HostPath("Local/Nimbrel"));
        system.clock.now = 1796717107;
        history.Begin();
        history.SwitchOn();
    }
    std::string Read(const std::string& name = "history.csv") const {
        std::ostringstream bytes;
        bytes << std::ifstream(folder.HostPath("Local/Nimbrel/" + name), std::ios::binary).rdbuf();
        return bytes.str();
    }

    FakeSystem system;
    TempFolder folder;
    LineHistory history;
};

TEST_F(History, EachChangeAndTheSwitchOffEndAPeriodAndExitEndsTheLast) {
    system.clock.now += 1;
    EXPECT_FALSE(history.Result(false));  // the first result is no change
    system.clock.now += 309;
    EXPECT_FALSE(history.Result(false));
    system.clock.now += 310;
    EXPECT_EQ(620, history.Result(true).value_or(LineChange{false, 0}).downSeconds);
    system.clock.now += 30;
    history.SwitchOff();
    system.clock.now += 100;
    history.End();
    history.SwitchOn();  // nothing counts after the end
    EXPECT_EQ(kHead +
                  "2026-12-08T09:05:07+01:00,2026-12-08T09:15:27+01:00,offline,620,2\r\n"
                  "2026-12-08T09:15:27+01:00,2026-12-08T09:15:57+01:00,online,30,1\r\n"
                  "2026-12-08T09:15:57+01:00,2026-12-08T09:17:37+01:00,off,100,0\r\n",
              Read());
    EXPECT_EQ("", Read("history.open"));
}

TEST_F(History, AKilledRunsPeriodEndsAtItsLastRecordedProbeInTheNextRun) {
    for (const int seconds : {0, 40, 30, 20}) {  // the probe at 40 s falls within the minute
        system.clock.now += seconds;
        history.Result(true);
    }
    LineHistory().Begin();
    EXPECT_EQ(kHead + "2026-12-08T09:05:07+01:00,2026-12-08T09:06:17+01:00,online,70,3\r\n",
              Read());
}

// Times no run could have written (before 1970, after the year 9999) or no period at all.
TEST_F(History, ARecordNoRunWroteGivesNoRow) {
    for (const char* line : {"0 -5 10 1", "0 5 253402300800 1", "0 5 4 1", "7 5 10 1", "x"}) {
        std::ofstream(folder.HostPath("Local/Nimbrel/history.open"), std::ios::binary)
            << line << "\r\n";
        LineHistory().Begin();
        EXPECT_EQ("", Read()) << line;
    }
}

TEST_F(History, ALockedFileDelaysTheRowsEvenPastTheRunInTheirOrder) {
    history.Result(true);
    system.files.lockedPaths.insert(folder.WindowsPath("Local\\Nimbrel\\history.csv"));
    history.Result(false);
    history.Retry();
    history.End();
    EXPECT_EQ("", Read());
    EXPECT_FALSE(history.TakeFailure());
    system.files.lockedPaths.clear();
    LineHistory().Begin();
    const std::string rows = Read();
    EXPECT_EQ(0u, rows.find(kHead));
    EXPECT_LT(rows.find(",online,0,1\r\n"), rows.find(",offline,0,1\r\n"));
    EXPECT_NE(std::string::npos, rows.find(",offline,0,1\r\n"));
}

TEST_F(History, PastOneMebibyteTheFileMovesAsideAndANewOneBeginsWithItsHead) {
    std::ofstream(folder.HostPath("Local/Nimbrel/history.csv"))
        << std::string(HistoryFile::kHistoryRotation, 'x');
    history.Result(true);
    history.SwitchOff();
    EXPECT_EQ(HistoryFile::kHistoryRotation, Read("history.1.csv").size());
    EXPECT_EQ(0u, Read().find(kHead + "2026-12-08T09:05:07+01:00,"));
}

TEST_F(History, AFailedWriteIsToldOnce) {
    system.files.localAppData = folder.WindowsPath("Missing");
    LineHistory elsewhere;
    elsewhere.Begin();
    elsewhere.SwitchOn();
    elsewhere.SwitchOff();
    EXPECT_TRUE(elsewhere.TakeFailure());
    EXPECT_FALSE(elsewhere.TakeFailure());
}

TEST(HistoryTexts, FieldsAreQuotedWhereASpreadsheetNeedsItAndTimesShowTheLargestTwoUnits) {
    EXPECT_EQ("online", CsvField("online"));
    EXPECT_EQ("\"say \"\"hi\"\", then\r\nbye\"", CsvField("say \"hi\", then\r\nbye"));
    EXPECT_EQ("3 min 12 s", DurationText(192));
    EXPECT_EQ("1 h", DurationText(3600 + 59));
    EXPECT_EQ("1 d 3 h", DurationText(86400 + 3 * 3600 + 1));
}

}  // namespace
