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

    countdown.SetInterval(1, 2, 3);  // applies to the running countdown
    EXPECT_FALSE(countdown.IsDue());
    system.clock.now += 3723 - 311 + 1;
    EXPECT_TRUE(countdown.IsDue());

    countdown.StartNow();  // counts again from now
    EXPECT_FALSE(countdown.IsDue());
}

TEST_F(Countdown, NeverDueUnlessArmed) {
    system.clock.now += 100000;
    EXPECT_FALSE(countdown.IsDue());
    countdown.StartNow();
    system.clock.now += 1;
    EXPECT_TRUE(countdown.IsDue());
    countdown.Disarm();
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
