#include "keepalive/keep_alive_engine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "keepalive/online_probe.h"
#include "keepalive/run_state.h"
#include "tests/doubles/fake_system.h"
#include "ui/event_log.h"

namespace {

// Records what the engine shows: the mode each lamp update lit, the activity lines, the
// minimise requests.
class FakeView : public IKeepAliveView {
  public:
    void UpdateLamps() override { lamps.push_back(g_mode); }
    void MinimiseMainWindow() override { ++minimised; }
    void ShowActivity(const std::string& line) override { activity.push_back(line); }

    std::vector<KeepAliveMode> lamps;
    std::vector<std::string> activity;
    int minimised = 0;
};

// A probe step that hands out queued results (0 when none is queued) and remembers the
// autodial switch it was called with.
class FakeProbe {
  public:
    int operator()() {
        suppressSeen.push_back(g_bSuppressAutodial);
        if (results.empty()) return kProbePending;
        const int result = results.front();
        results.pop_front();
        return result;
    }
    int Calls() const { return static_cast<int>(suppressSeen.size()); }

    std::deque<int> results;
    std::vector<int> suppressSeen;
    int abandons = 0;
};

std::string LastLogLine() {
    std::string lines;
    g_eventLog.GetLines(lines);
    const auto start = lines.rfind("\r\n");
    return start == std::string::npos ? lines : lines.substr(start + 2);
}

class Engine : public ::testing::Test {
  protected:
    void SetUp() override {
        g_mode = KeepAliveMode::Off;
        g_bStartInTray = 0;
        g_bSuppressAutodial = 0;
        g_eventLog.Write("test start");
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) engine.Tick();
    }

    // Waits out the interval after a result; one second more makes the next probe due.
    void WaitInterval(int seconds = 310) { system.clock.now += seconds; }

    FakeSystem system;
    FakeView view;
    FakeProbe probe;
    KeepAliveEngine engine{view, [this] { return probe(); }, [this] { ++probe.abandons; }};
};

TEST_F(Engine, StayOnLightsOnOnlineAndProbesAtTheNextTickEvenRightAfterAResult) {
    probe.results = {-1, 1};
    engine.StartStayOn();
    EXPECT_EQ(KeepAliveMode::OnOnline, g_mode);
    EXPECT_EQ(std::vector<KeepAliveMode>{KeepAliveMode::OnOnline}, view.lamps);
    EXPECT_EQ(0, probe.Calls());
    engine.Tick();
    EXPECT_EQ(1, probe.Calls());

    system.clock.now += 5;
    engine.StartStayOn();
    EXPECT_EQ(KeepAliveMode::OnOnline, view.lamps.back());
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
}

TEST_F(Engine, APendingProbeIsPolledOnEveryTickAndShowsTheMarker) {
    probe.results = {0, 0, 1};
    engine.StartStayOn();
    Ticks(2);
    EXPECT_EQ((std::vector<std::string>{"<:>", "<:>"}), view.activity);
    EXPECT_EQ(2, probe.Calls());
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(".", view.activity.back());
}

TEST_F(Engine, AnOnlineResultLightsOnOnlineLogsAndRearms) {
    probe.results = {1};
    engine.StartStayOn();
    engine.Tick();
    EXPECT_EQ(KeepAliveMode::OnOnline, g_mode);
    EXPECT_EQ((std::vector<KeepAliveMode>{KeepAliveMode::OnOnline, KeepAliveMode::OnOnline}),
              view.lamps);
    EXPECT_EQ(" 9:05:07: PC Online", LastLogLine());

    WaitInterval();
    engine.Tick();
    EXPECT_EQ(1, probe.Calls());  // 310 seconds are not yet more than 5 minutes 10 seconds
    system.clock.now += 1;
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
}

TEST_F(Engine, AnOfflineResultLightsOnOfflineLogsAndRearms) {
    probe.results = {0, -1};
    engine.StartStayOn();
    Ticks(2);
    EXPECT_EQ(KeepAliveMode::OnOffline, g_mode);
    EXPECT_EQ((std::vector<KeepAliveMode>{KeepAliveMode::OnOnline, KeepAliveMode::OnOffline}),
              view.lamps);
    EXPECT_EQ(" 9:05:07: PC not online -> nichts weiter zu tun", LastLogLine());

    WaitInterval();
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
    system.clock.now += 1;
    probe.results = {1};
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(KeepAliveMode::OnOnline, g_mode);  // the line came back
}

TEST_F(Engine, NoProbeWhileOffAndTheDotsGrowToTwentyOneThenStartAgain) {
    WaitInterval(100000);
    Ticks(21);
    EXPECT_EQ(0, probe.Calls());
    EXPECT_EQ(".", view.activity.front());
    EXPECT_EQ(std::string(21, '.'), view.activity.back());
    engine.Tick();
    EXPECT_EQ(".", view.activity.back());
    engine.Tick();
    EXPECT_EQ("..", view.activity.back());
    EXPECT_TRUE(view.lamps.empty());
}

TEST_F(Engine, StayOnAfterSwitchOffDuringAProbeStartsAFreshOne) {
    engine.StartStayOn();
    engine.Tick();  // the probe starts
    engine.SwitchOff();
    EXPECT_EQ(KeepAliveMode::Off, g_mode);
    EXPECT_EQ(KeepAliveMode::Off, view.lamps.back());

    WaitInterval(1000);
    Ticks(3);
    EXPECT_EQ(1, probe.Calls());  // OFF polls nothing
    EXPECT_EQ("<:>", view.activity.back());

    EXPECT_EQ(1, probe.abandons);
    engine.StartStayOn();
    EXPECT_EQ(2, probe.abandons);  // the old probe, or its result, is dropped
    probe.results = {0, -1};       // the fresh probe starts, then answers
    engine.Tick();
    EXPECT_EQ(KeepAliveMode::OnOnline, g_mode);
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(KeepAliveMode::OnOffline, g_mode);

    WaitInterval();
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    system.clock.now += 1;
    engine.Tick();
    EXPECT_EQ(4, probe.Calls());
}

TEST_F(Engine, TheTrayRequestMinimisesAtTheFirstTickOnly) {
    g_bStartInTray = 1;
    engine.Tick();
    EXPECT_EQ(1, view.minimised);
    EXPECT_EQ(0, g_bStartInTray);
    engine.Tick();
    EXPECT_EQ(1, view.minimised);
}

TEST_F(Engine, OnlyTheOnModesProbe) {
    engine.StartStayOn();
    engine.Tick();  // a probe is pending
    g_mode = KeepAliveMode::Uninstall;
    WaitInterval(100000);
    Ticks(3);
    EXPECT_EQ(1, probe.Calls());
    g_mode = KeepAliveMode::OnOffline;
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
}

}  // namespace
