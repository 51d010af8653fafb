#include "app/tray_presence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A shell that refuses the icon a set number of times, and a window and timer that record
// what was asked of them.
class FakeTrayHost : public ITrayHost {
  public:
    bool AddIcon() override {
        calls.push_back("add");
        if (failures > 0) {
            --failures;
            return false;
        }
        iconShown = true;
        return true;
    }
    void RemoveIcon() override {
        calls.push_back("remove");
        iconShown = false;
    }
    void HideWindow() override {
        calls.push_back("hide");
        windowVisible = false;
    }
    void ShowMinimised() override {
        calls.push_back("show minimised");
        windowVisible = true;
    }
    void StartRetryTimer() override {
        calls.push_back("start timer");
        timerRunning = true;
    }
    void StopRetryTimer() override {
        calls.push_back("stop timer");
        timerRunning = false;
    }

    // The user can reach the program.
    bool Reachable() const { return windowVisible || iconShown; }

    int failures = 0;
    bool iconShown = false;
    bool windowVisible = true;
    bool timerRunning = false;
    std::vector<std::string> calls;
};

class Tray : public ::testing::Test {
  protected:
    // The retry ticks until the icon is in; how many it took.
    int RetryUntilShown(int limit = 100) {
        int ticks = 0;
        while (!host.iconShown && ticks < limit) {
            ++ticks;
            tray.OnRetryTimer();
            EXPECT_TRUE(host.Reachable());
        }
        return ticks;
    }

    FakeTrayHost host;
    TrayPresence tray{host};
};

TEST_F(Tray, MinimiseAddsTheIconThenHides) {
    tray.OnMinimised();
    EXPECT_EQ((std::vector<std::string>{"add", "hide"}), host.calls);
    EXPECT_TRUE(tray.IconShown());
    EXPECT_FALSE(host.timerRunning);

    host.calls.clear();
    tray.OnRestored();
    EXPECT_EQ(std::vector<std::string>{"remove"}, host.calls);
    EXPECT_FALSE(tray.IconShown());
}

TEST_F(Tray, ARefusedIconIsRetriedWhileTheWindowStaysOnTheTaskbar) {
    host.failures = 3;
    tray.OnMinimised();
    EXPECT_TRUE(host.windowVisible);
    EXPECT_TRUE(host.timerRunning);
    EXPECT_FALSE(tray.IconShown());

    EXPECT_EQ(3, RetryUntilShown());
    EXPECT_TRUE(tray.IconShown());
    EXPECT_FALSE(host.windowVisible);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(4, std::count(host.calls.begin(), host.calls.end(), "add"));
    EXPECT_EQ(1, std::count(host.calls.begin(), host.calls.end(), "start timer"));

    host.calls.clear();
    tray.OnRetryTimer();  // a tick already queued when the timer stopped
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Tray, TheWindowIsNeverHiddenWithoutTheIcon) {
    for (int failures : {0, 1, 2, 10}) {
        SCOPED_TRACE(failures);
        FakeTrayHost fresh;
        fresh.failures = failures;
        TrayPresence presence(fresh);
        presence.OnMinimised();
        for (int tick = 0; tick < 12; ++tick) {
            EXPECT_TRUE(fresh.Reachable());
            presence.OnRetryTimer();
        }
        EXPECT_TRUE(fresh.iconShown);
        EXPECT_FALSE(fresh.windowVisible);
    }
}

TEST_F(Tray, RestoringWhileWaitingStopsTheRetries) {
    host.failures = 100;
    tray.OnMinimised();
    tray.OnRestored();
    EXPECT_FALSE(host.timerRunning);
    host.calls.clear();
    tray.OnRetryTimer();
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(Tray, ANewTaskbarGetsTheIconAgainAndARefusalShowsTheWindow) {
    tray.OnTaskbarCreated();  // on screen: nothing to put back
    EXPECT_TRUE(host.calls.empty());

    tray.OnMinimised();
    host.iconShown = false;  // the old taskbar went with it
    host.failures = 2;
    tray.OnTaskbarCreated();
    EXPECT_TRUE(host.windowVisible);
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(2, RetryUntilShown());
    EXPECT_FALSE(host.windowVisible);
}

TEST_F(Tray, ExitTakesTheIconAwayOnlyWhenThere) {
    tray.OnExit();
    EXPECT_TRUE(host.calls.empty());
    tray.OnMinimised();
    tray.OnExit();
    EXPECT_FALSE(host.iconShown);

    FakeTrayHost waiting;
    waiting.failures = 100;
    TrayPresence presence(waiting);
    presence.OnMinimised();
    presence.OnExit();
    EXPECT_FALSE(waiting.timerRunning);
    EXPECT_EQ(0, std::count(waiting.calls.begin(), waiting.calls.end(), "remove"));
}

TEST_F(Tray, AMinimiseThatComesAgainAddsNothingTwice) {
    tray.OnMinimised();
    tray.OnMinimised();
    EXPECT_EQ(1, std::count(host.calls.begin(), host.calls.end(), "add"));

    FakeTrayHost waiting;
    waiting.failures = 1;
    TrayPresence presence(waiting);
    presence.OnMinimised();
    presence.OnMinimised();  // showing the window minimised may report the size again
    EXPECT_EQ(1, std::count(waiting.calls.begin(), waiting.calls.end(), "add"));
    EXPECT_EQ(1, std::count(waiting.calls.begin(), waiting.calls.end(), "start timer"));
}

}  // namespace
