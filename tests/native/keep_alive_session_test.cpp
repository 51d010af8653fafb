#include "app/keep_alive_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/native/probe_fixture.h"
#include "tests/native/temp_folder.h"

namespace {

// Records what reaches the status page: lamp updates, activity lines, minimize requests.
class FakeRunView : public IRunView {
  public:
    void UpdateLamps() override { ++lampUpdates; }
    void ShowActivity(const std::string& line) override { activity.push_back(line); }
    void MinimizeMainWindow() override { ++minimized; }

    int lampUpdates = 0;
    std::vector<std::string> activity;
    int minimized = 0;
};

// A session over the probe and its doubles; the settings are the run's, read at each probe.
class Session : public ProbeTest {
  protected:
    void Start(StartOptions options) {
        session.TakeStartOptions(options);
        session.SetView(&view);
    }

    Settings settings;
    KeepAliveSession session{settings, log, *probe};
    FakeRunView view;
};

TEST_F(Session, OnlyOnStartsOnlineAndTheTrayStartMinimizesAtTheFirstTickOnly) {
    Start({StartMode::Uninstall, false});
    EXPECT_EQ(KeepAliveMode::Off, session.Mode());
    Start({StartMode::StayOn, true});
    EXPECT_EQ(KeepAliveMode::OnOnline, session.Mode());
    EXPECT_EQ(0, view.minimized);
    session.SwitchOff();
    session.Tick();
    EXPECT_EQ(1, view.minimized);
    session.Tick();
    EXPECT_EQ(1, view.minimized);
    EXPECT_EQ((std::vector<std::string>{".", ".."}), view.activity);
}

TEST_F(Session, AShowRequestBeforeTheFirstTickKeepsTheWindowOnScreen) {
    Start({StartMode::Off, true});
    session.KeepOnScreen();
    session.Tick();
    EXPECT_EQ(0, view.minimized);
    EXPECT_EQ(1u, view.activity.size());
}

// The page may go while the run goes on (its window destroyed, the sheet freed).
TEST_F(Session, NothingReachesAViewThatHasGone) {
    {
        FakeRunView page;
        session.TakeStartOptions({StartMode::Off, true});
        session.SetView(&page);
        session.StartStayOn();
        EXPECT_EQ(1, page.lampUpdates);
        session.SetView(nullptr);
    }
    session.Tick();
    session.SwitchOff();
    session.OnResume();
    EXPECT_EQ(KeepAliveMode::Off, session.Mode());
}

TEST_F(Session, EachProbeGoesToTheUrlTheSettingsGiveAtItsStart) {
    settings.url = "http://first.example/";
    Start({});
    session.StartStayOn();
    settings.url = "http://second.example/";  // changed on the settings page meanwhile
    session.Tick();
    ASSERT_TRUE(internet.WaitForRequests(1, 5));
    EXPECT_EQ("second.example:80/", internet.Urls().front());
    EXPECT_EQ("<:>", view.activity.back());
}

// The history starts once the window is drawn: a killed run's period is written out only then,
// and a Stay On clicked before counts from then.
TEST_F(Session, TheHistoryBeginsWhenAskedWithTheModeOfThatMoment) {
    TempFolder folder;
    system.files.localAppData = folder.WindowsPath("Local");
    const std::filesystem::path history = folder.HostPath("Local/Nimbrel");
    std::filesystem::create_directories(history);
    std::ofstream(history / "history.open", std::ios::binary) << "2 1796717000 1796717100 0\r\n";
    system.clock.now = 1796717107;
    Start({StartMode::Off, false});
    session.StartStayOn();
    EXPECT_FALSE(std::filesystem::exists(history / "history.csv"));

    system.clock.now += 3;
    session.BeginHistory();
    std::ostringstream rows, record;
    rows << std::ifstream(history / "history.csv", std::ios::binary).rdbuf();
    record << std::ifstream(history / "history.open", std::ios::binary).rdbuf();
    EXPECT_NE(std::string::npos, rows.str().find(",off,100,0\r\n"));
    EXPECT_EQ("0 1796717110 1796717110 0\r\n", record.str());
}

}  // namespace
