#include "keepalive/event_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Lines(const EventLog& log) {
    return log.Lines();
}

class EventLogTest : public ::testing::Test {
  protected:
    void At(int hour, int minute, int second) {
        system.clock.local = {2026, 3, 4, hour, minute, second};
    }

    FakeSystem system;
    TempFolder folder;
};

TEST_F(EventLogTest, SixWritesKeepTheLastFiveOldestFirst) {
    EventLog log;
    EXPECT_EQ("", Lines(log));
    for (int i = 1; i <= 6; ++i) {
        At(10, 0, i);
        log.Write("line " + std::to_string(i));
    }
    EXPECT_EQ(
        "10:00:02: line 2\r\n10:00:03: line 3\r\n10:00:04: line 4\r\n10:00:05: line 5\r\n"
        "10:00:06: line 6",
        Lines(log));
    At(10, 0, 7);
    log.Write("line 7");
    EXPECT_EQ(0u, Lines(log).find("10:00:03: line 3\r\n"));
}

TEST_F(EventLogTest, HourIsPaddedWithABlank) {
    EventLog log;
    At(9, 5, 7);
    log.Write("Online!");
    EXPECT_EQ(" 9:05:07: Online!", Lines(log));
    At(0, 0, 0);
    log.Write("a");
    At(23, 59, 9);
    log.Write("");
    EXPECT_EQ(" 9:05:07: Online!\r\n 0:00:00: a\r\n23:59:09: ", Lines(log));
}

TEST_F(EventLogTest, FileOutputGetsAHeaderOncePerRunAndEveryLine) {
    const std::string path = folder.WindowsPath("nblog.txt");
    {
        EventLog log(true, path);
        At(9, 5, 7);
        log.Write("Checking online...");
        At(9, 5, 8);
        log.Write("Online!");
    }
    const std::string header =
        "\r\n 9:05:07: @ 4-3-2026 *QOVE Event Log*, Quaddle - www.quaddle.example\r\n";
    const std::string firstRun = header + " 9:05:07: Checking online...\r\n 9:05:08: Online!\r\n";
    EXPECT_EQ(firstRun, Contents(folder.HostPath("nblog.txt")));

    EventLog nextRun(true, path);
    At(12, 0, 0);
    nextRun.Write("OFFline!");
    EXPECT_EQ(firstRun +
                  "\r\n12:00:00: @ 4-3-2026 *QOVE Event Log*, Quaddle - www.quaddle.example\r\n"
                  "12:00:00: OFFline!\r\n",
              Contents(folder.HostPath("nblog.txt")));
}

TEST_F(EventLogTest, FileOutputOffTouchesNothing) {
    EventLog log(false, folder.WindowsPath("nblog.txt"));
    log.Write("Online!");
    EXPECT_FALSE(std::filesystem::exists(folder.HostPath("nblog.txt")));
    EXPECT_TRUE(system.files.calls.empty());
}

TEST_F(EventLogTest, FileOutputIsOffByDefault) {
#ifdef NIMBREL_EVENT_LOG_FILE
    GTEST_SKIP() << "built with the event log file switched on";
#endif
    EventLog log;
    log.Write("Online!");
    EXPECT_TRUE(system.files.calls.empty());
}

TEST_F(EventLogTest, MissingLogFolderIsIgnored) {
    EventLog log(true, folder.WindowsPath("no\\such\\folder\\nblog.txt"));
    log.Write("Online!");
    EXPECT_EQ(" 9:05:07: Online!", Lines(log));
}

}  // namespace
