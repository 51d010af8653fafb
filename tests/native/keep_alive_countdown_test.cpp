#include "keepalive/keep_alive_countdown.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/doubles/fake_system.h"

namespace {

class Countdown : public ::testing::Test {
  protected:
    FakeSystem system;
    KeepAliveCountdown countdown;
};

TEST_F(Countdown, IsDueOnlyWhenMoreThanTheWholeIntervalHasPassed) {
    countdown.SetInterval(0, 5, 10);
    countdown.StartNow();
    system.clock.now += 310;
    EXPECT_FALSE(countdown.IsDue());
    system.clock.now += 1;
    EXPECT_TRUE(countdown.IsDue());
    EXPECT_TRUE(countdown.IsDue());  // asking does not change it
}

TEST_F(Countdown, HoursMinutesAndSecondsAllCount) {
    countdown.SetInterval(1, 2, 3);
    countdown.StartNow();
    system.clock.now += 3723;
    EXPECT_FALSE(countdown.IsDue());
    system.clock.now += 1;
    EXPECT_TRUE(countdown.IsDue());
}

TEST_F(Countdown, NeverDueUnlessArmed) {
    countdown.SetInterval(0, 0, 0);
    system.clock.now += 100000;
    EXPECT_FALSE(countdown.IsDue());

    countdown.StartNow();
    system.clock.now += 1;
    EXPECT_TRUE(countdown.IsDue());
    countdown.Disarm();
    EXPECT_FALSE(countdown.IsDue());
}

TEST_F(Countdown, StartingAgainCountsFromTheNewStart) {
    countdown.SetInterval(0, 5, 10);
    countdown.StartNow();
    system.clock.now += 300;
    countdown.StartNow();
    system.clock.now += 300;
    EXPECT_FALSE(countdown.IsDue());
    system.clock.now += 11;
    EXPECT_TRUE(countdown.IsDue());
}

TEST_F(Countdown, ANewIntervalAppliesToTheRunningCountdown) {
    countdown.StartNow();
    countdown.SetInterval(0, 5, 0);
    system.clock.now += 301;
    EXPECT_TRUE(countdown.IsDue());
    countdown.SetInterval(0, 5, 10);
    EXPECT_FALSE(countdown.IsDue());
}

TEST_F(Countdown, HugeIntervalsAndAClockThatGoesBackNeverFireEarly) {
    countdown.SetInterval(INT_MAX, INT_MAX, INT_MAX);
    countdown.StartNow();
    system.clock.now += 1000000000;
    EXPECT_FALSE(countdown.IsDue());

    countdown.SetInterval(0, 5, 10);
    countdown.StartNow();
    system.clock.now -= 5000;
    EXPECT_FALSE(countdown.IsDue());
}

}  // namespace
