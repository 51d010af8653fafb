#include "app/tray_presence.h"

#include <gtest/gtest.h>

namespace {

// A shell that refuses the icon a set number of times; the window and the timer as states.
class FakeTrayHost : public ITrayHost {
  public:
    bool AddIcon() override {
        ++adds;
        iconShown = refusals-- <= 0;
        return iconShown;
    }
    void RemoveIcon() override { iconShown = false; }
    void HideWindow() override { windowVisible = false; }
    void ShowMinimized() override { windowVisible = true; }
    void StartRetryTimer() override {
        ++timerStarts;
        timerRunning = true;
    }
    void StopRetryTimer() override { timerRunning = false; }

    int refusals = 0;
    int adds = 0;
    int timerStarts = 0;
    bool iconShown = false;
    bool windowVisible = true;
    bool timerRunning = false;
};

class Tray : public ::testing::Test {
  protected:
    // Retry ticks, checking after each that the user can reach the program.
    void Retry(int ticks) {
        for (int tick = 0; tick < ticks; ++tick) {
            tray.OnRetryTimer();
            EXPECT_TRUE(host.windowVisible || host.iconShown) << "after retry " << tick + 1;
        }
    }

    FakeTrayHost host;
    TrayPresence tray{host};
};

TEST_F(Tray, MinimizeAddsTheIconAndHidesAndRestoreTakesItAway) {
    tray.OnMinimized();
    tray.OnMinimized();  // the size may be reported again
    EXPECT_EQ(1, host.adds);
    EXPECT_TRUE(host.iconShown);
    EXPECT_FALSE(host.windowVisible);
    EXPECT_FALSE(host.timerRunning);
    tray.OnRestored();
    EXPECT_FALSE(host.iconShown);
}

TEST_F(Tray, ARefusedIconIsRetriedWhileTheWindowStaysOnTheTaskbar) {
    host.refusals = 3;
    tray.OnMinimized();
    tray.OnMinimized();
    EXPECT_TRUE(host.windowVisible);
    EXPECT_TRUE(host.timerRunning);
    Retry(2);
    EXPECT_FALSE(host.iconShown);
    Retry(1);
    EXPECT_TRUE(host.iconShown);
    EXPECT_FALSE(host.windowVisible);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(4, host.adds);
    EXPECT_EQ(1, host.timerStarts);
    Retry(1);  // a tick already queued when the timer stopped
    EXPECT_EQ(4, host.adds);
}

TEST_F(Tray, RestoreOrExitWhileWaitingStopsTheRetries) {
    host.refusals = 100;
    tray.OnMinimized();
    tray.OnRestored();
    EXPECT_FALSE(host.timerRunning);
    tray.OnMinimized();
    tray.OnExit();
    EXPECT_FALSE(host.timerRunning);
    Retry(3);
    EXPECT_EQ(2, host.adds);
}

TEST_F(Tray, ANewTaskbarGetsTheIconAgainAndARefusalShowsTheWindow) {
    tray.OnTaskbarCreated();  // on screen: nothing to put back
    EXPECT_EQ(0, host.adds);
    tray.OnMinimized();
    host.iconShown = false;  // the old taskbar went with it
    host.refusals = 2;
    tray.OnTaskbarCreated();
    EXPECT_TRUE(host.windowVisible);
    EXPECT_TRUE(host.timerRunning);
    Retry(2);
    EXPECT_TRUE(host.iconShown);
    EXPECT_FALSE(host.windowVisible);
}

TEST_F(Tray, ExitTakesTheIconAway) {
    tray.OnMinimized();
    tray.OnExit();
    EXPECT_FALSE(host.iconShown);
}

}  // namespace
