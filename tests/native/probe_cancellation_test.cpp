#include "keepalive/probe_cancellation.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_internet.h"

namespace {

// The signal is the library's that made it, and goes back to it once, even when another
// library is in use by then.
TEST(Cancellation, SignalIsRaisedOnceAndClosedByItsMaker) {
    FakeInternet maker;
    FakeInternet later;
    platform::IInternet* const previous = platform::ServiceSlot<platform::IInternet>();
    platform::Provide<platform::IInternet>(&maker);
    {
        ProbeCancellation cancellation;
        platform::Provide<platform::IInternet>(&later);
        ASSERT_TRUE(cancellation);
        EXPECT_FALSE(cancellation.Cancelled());
        cancellation.Cancel();
        EXPECT_TRUE(cancellation.Cancelled());
        EXPECT_TRUE(maker.Raised(cancellation.Signal()));
    }
    platform::Provide<platform::IInternet>(previous);
    EXPECT_EQ(0u, maker.OpenSignals());
    EXPECT_EQ(std::vector<std::string>{}, maker.Misuses());
    EXPECT_EQ(std::vector<std::string>{}, later.Misuses());
}

}  // namespace
