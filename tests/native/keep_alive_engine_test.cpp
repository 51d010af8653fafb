#include "keepalive/keep_alive_engine.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "keepalive/event_log.h"
#include "keepalive/keep_alive_mode.h"
#include "keepalive/online_probe.h"
#include "tests/doubles/fake_system.h"

namespace {

// Records what the engine shows: the mode each lamp update lit, the activity lines.
class FakeView : public IKeepAliveView {
  public:
    explicit FakeView(const KeepAliveMode& mode) : m_mode(mode) {}
    void UpdateLamps() override { lamps.push_back(m_mode); }
    void ShowActivity(const std::string& line) override { activity.push_back(line); }

    std::vector<KeepAliveMode> lamps;
    std::vector<std::string> activity;

  private:
    const KeepAliveMode& m_mode;
};

// A probe step that hands out queued results (pending when none is queued) and counts its calls.
class FakeProbe {
  public:
    ProbeResult operator()() {
        ++calls;
        if (results.empty()) return ProbeResult::Pending;
        const ProbeResult result = results.front();
        results.pop_front();
        return result;
    }
    int Calls() const { return calls; }

    std::deque<ProbeResult> results;
    int calls = 0;
    int abandons = 0;
};

std::string LastLogLine(const EventLog& log) {
    const std::string lines = log.Lines();
    const auto start = lines.rfind("\r\n");
    return start == std::string::npos ? lines : lines.substr(start + 2);
}

class Engine : public ::testing::Test {
  protected:
    void SetUp() override { log.Write("test start"); }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) engine.Tick();
    }

    // Waits out the interval after a result; one second more makes the next probe due.
    void WaitInterval(int seconds = 310) { system.clock.now += seconds; }

    FakeSystem system;
    KeepAliveMode mode = KeepAliveMode::Off;
    EventLog log;
    FakeView view{mode};
    FakeProbe probe;
    KeepAliveEngine engine{view, mode, log, [this] { return probe(); },
                           [this] { ++probe.abandons; }};
};

TEST_F(Engine, StayOnLightsOnOnlineAndProbesAtTheNextTickEvenRightAfterAResult) {
    probe.results = {ProbeResult::Offline, ProbeResult::Online};
    engine.StartStayOn();
    EXPECT_EQ(KeepAliveMode::OnOnline, mode);
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
    probe.results = {ProbeResult::Pending, ProbeResult::Pending, ProbeResult::Online};
    engine.StartStayOn();
    Ticks(2);
    EXPECT_EQ((std::vector<std::string>{"<:>", "<:>"}), view.activity);
    EXPECT_EQ(2, probe.Calls());
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(".", view.activity.back());
}

TEST_F(Engine, AnOnlineResultLightsOnOnlineLogsAndRearms) {
    probe.results = {ProbeResult::Online};
    engine.StartStayOn();
    engine.Tick();
    EXPECT_EQ(KeepAliveMode::OnOnline, mode);
    EXPECT_EQ((std::vector<KeepAliveMode>{KeepAliveMode::OnOnline, KeepAliveMode::OnOnline}),
              view.lamps);
    EXPECT_EQ(" 9:05:07: PC Online", LastLogLine(log));

    WaitInterval();
    engine.Tick();
    EXPECT_EQ(1, probe.Calls());  // 310 seconds are not yet more than 5 minutes 10 seconds
    system.clock.now += 1;
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
}

TEST_F(Engine, AnOfflineResultLightsOnOfflineLogsAndRearms) {
    probe.results = {ProbeResult::Pending, ProbeResult::Offline};
    engine.StartStayOn();
    Ticks(2);
    EXPECT_EQ(KeepAliveMode::OnOffline, mode);
    EXPECT_EQ((std::vector<KeepAliveMode>{KeepAliveMode::OnOnline, KeepAliveMode::OnOffline}),
              view.lamps);
    EXPECT_EQ(" 9:05:07: PC not online -> nichts weiter zu tun", LastLogLine(log));

    WaitInterval();
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
    system.clock.now += 1;
    probe.results = {ProbeResult::Online};
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(KeepAliveMode::OnOnline, mode);  // the line came back
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
    EXPECT_EQ(KeepAliveMode::Off, mode);
    EXPECT_EQ(KeepAliveMode::Off, view.lamps.back());
    EXPECT_EQ(2, probe.abandons);  // the running probe is dropped at once

    WaitInterval(1000);
    Ticks(3);
    EXPECT_EQ(1, probe.Calls());             // OFF polls nothing
    EXPECT_EQ("...", view.activity.back());  // nothing is pending any more

    engine.StartStayOn();
    EXPECT_EQ(3, probe.abandons);
    probe.results = {ProbeResult::Pending,
                     ProbeResult::Offline};  // the fresh probe starts, then answers
    engine.Tick();
    EXPECT_EQ(KeepAliveMode::OnOnline, mode);
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(KeepAliveMode::OnOffline, mode);

    WaitInterval();
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    system.clock.now += 1;
    engine.Tick();
    EXPECT_EQ(4, probe.Calls());
}

TEST_F(Engine, ResumeProbesAtOnceAndTheCountdownStartsFromItsResult) {
    probe.results = {ProbeResult::Online};
    engine.StartStayOn();
    engine.Tick();
    system.clock.now += 200;  // asleep in the middle of the countdown

    probe.results = {ProbeResult::Offline};
    engine.OnResume();
    EXPECT_EQ(2, probe.Calls());
    EXPECT_EQ(KeepAliveMode::OnOffline, mode);
    EXPECT_EQ(" 9:05:07: PC not online -> nichts weiter zu tun", LastLogLine(log));

    WaitInterval(200);  // the old countdown would be due by now
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
    WaitInterval(111);
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
}

TEST_F(Engine, ResumeDropsAProbeFromBeforeTheSleepAndPollsTheFreshOne) {
    engine.StartStayOn();
    engine.Tick();  // started before the sleep, never answered
    const int abandonsBefore = probe.abandons;
    engine.OnResume();
    EXPECT_EQ(abandonsBefore + 1, probe.abandons);
    EXPECT_EQ(2, probe.Calls());
    probe.results = {ProbeResult::Online};
    engine.Tick();
    EXPECT_EQ(3, probe.Calls());
    EXPECT_EQ(" 9:05:07: PC Online", LastLogLine(log));
}

TEST_F(Engine, ResumeWhileOffProbesNothing) {
    engine.OnResume();
    EXPECT_EQ(0, probe.Calls());
    EXPECT_EQ(0, probe.abandons);
    EXPECT_TRUE(view.lamps.empty());
}

TEST_F(Engine, OnlyTheOnModesProbe) {
    engine.StartStayOn();
    engine.Tick();  // a probe is pending
    mode = KeepAliveMode::Off;
    WaitInterval(100000);
    Ticks(3);
    EXPECT_EQ(1, probe.Calls());
    mode = KeepAliveMode::OnOffline;
    engine.Tick();
    EXPECT_EQ(2, probe.Calls());
}

}  // namespace
