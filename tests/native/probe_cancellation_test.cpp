#include "keepalive/probe_cancellation.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_internet.h"

namespace {

class Cancellation : public ::testing::Test {
  protected:
    Cancellation() : m_previous(platform::ServiceSlot<platform::IInternet>()) {
        platform::Provide<platform::IInternet>(&internet);
    }
    ~Cancellation() override { platform::Provide<platform::IInternet>(m_previous); }

    FakeInternet internet;
    ProbeCancellation cancellation;

  private:
    platform::IInternet* m_previous;
};

// The cancel closes what the worker holds, the newest first; the worker's own closes afterwards
// and anything it opens after the cancel never stay open, and nothing is closed twice.
TEST_F(Cancellation, EveryHandleIsClosedOnceWhoeverComesFirst) {
    const platform::HInternet session =
        cancellation.Keep(internet.OpenSession("agent", platform::InternetRoute::SystemSettings));
    const platform::HInternet connection =
        cancellation.Keep(internet.Connect(session, "host.example", 80));
    ASSERT_NE(0, session);
    ASSERT_NE(0, connection);
    cancellation.Close(connection);  // the worker's own close of a finished attempt
    const platform::HInternet request = cancellation.Keep(
        internet.OpenHeadRequest(internet.Connect(session, "host.example", 80), "/", false, 1));
    EXPECT_FALSE(cancellation.Cancelled());

    cancellation.Cancel();
    EXPECT_TRUE(cancellation.Cancelled());
    EXPECT_EQ(1u, internet.OpenHandles());  // the connection nobody kept
    cancellation.Close(request);            // the worker's late closes
    cancellation.Close(session);
    EXPECT_EQ(0u, internet.BadCloses());

    const platform::HInternet late =
        internet.OpenSession("agent", platform::InternetRoute::NamedProxy);
    EXPECT_EQ(0, cancellation.Keep(late));
    EXPECT_EQ(1u, internet.OpenHandles());
    EXPECT_EQ(0, cancellation.Keep(0));
    EXPECT_EQ(0u, internet.BadCloses());
}

}  // namespace
