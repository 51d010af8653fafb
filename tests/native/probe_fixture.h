#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/doubles/fake_internet.h"
#include "tests/doubles/fake_system.h"
#include "tests/doubles/fake_threads.h"

// The probe against the doubles, from a fresh idle state, with a real worker thread.
class ProbeTest : public ::testing::Test {
  protected:
    ProbeTest();
    ~ProbeTest() override;

    // Steps the probe until it hands out a result; 0 when none came within five seconds.
    static int Collect();
    // Waits until the worker has lowered g_bChecking, without stepping; false after five seconds.
    static bool WaitUntilFinished();
    // The event log's texts, without their time stamps, oldest first.
    static std::vector<std::string> LogTexts();

    FakeSystem system;
    FakeInternet internet;
    FakeThreads threads;  // joined before anything it uses goes

  private:
    platform::IInternet* previousInternet_;
    platform::IThreads* previousThreads_;
};
