#pragma once

#include <mutex>
#include <thread>
#include <vector>

#include "platform/threads.h"

// Starts real threads, so the sanitizers see the probe's worker; fails or defers the start on
// request. Every thread it started is joined when it goes.
class FakeThreads : public platform::IThreads {
  public:
    ~FakeThreads() override;
    bool StartThread(platform::ThreadRoutine routine) override;

    // Runs the routines whose start was deferred.
    void RunDeferred();
    // Runs what was deferred and waits for every thread started so far.
    void Join();
    int Starts() const;

    bool fail = false;   // StartThread returns false and runs nothing
    bool defer = false;  // StartThread succeeds, but the routine waits for RunDeferred

  private:
    mutable std::mutex mutex_;
    std::vector<platform::ThreadRoutine> deferred_;
    std::vector<std::thread> running_;
    int starts_ = 0;
};
