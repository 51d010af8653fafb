#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/online_probe.h"
#include "tests/doubles/fake_internet.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/fake_threads.h"

// The probe against the doubles, from a fresh idle state, with a real worker thread.
class ProbeTest : public ::testing::Test {
  protected:
    ProbeTest();
    ~ProbeTest() override;

    // One step of the probe with target.
    ProbeResult Check() { return probe->Check(target); }
    // Steps the probe until it hands out a result; pending when none came within five seconds.
    ProbeResult Collect();
    // Waits until the worker has given its result, without stepping; false after five seconds.
    bool WaitUntilFinished();
    // The event log's texts, without their time stamps, oldest first.
    std::vector<std::string> LogTexts() const;

    FakeSystem system;
    FakeInternet internet;
    FakeThreads threads;  // joined before anything it uses goes
    EventLog log{false, ""};
    std::shared_ptr<AutodialSwitch> autodial = std::make_shared<AutodialSwitch>();
    std::unique_ptr<OnlineProbe> probe = std::make_unique<OnlineProbe>(log, autodial);
    ProbeTarget target{"http://keepalive.example/", "http://www.", false};

  private:
    platform::IInternet* m_previousInternet;
    platform::IThreads* m_previousThreads;
};
