#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/threads.h"

// Starts real threads, so the sanitizers see the probe's worker; fails or defers the start on
// request. Every thread it started is joined when it goes, closed handle or not.
class FakeThreads : public platform::IThreads {
  public:
    ~FakeThreads() override;
    platform::ThreadHandle StartThread(std::function<void()> routine) override;
    bool WaitForThread(platform::ThreadHandle thread, std::uint32_t milliseconds) override;
    bool CloseHandle(platform::ThreadHandle thread) override;

    // Runs the routines whose start was deferred.
    void RunDeferred();
    // Runs what was deferred and waits for every thread started so far.
    void Join();
    int Starts() const;
    // Waits at most `wait` for the thread started last to end; true when it has.
    bool LatestEnded(std::chrono::milliseconds wait);
    std::size_t OpenHandles() const;

    bool fail = false;   // StartThread returns 0 and runs nothing
    bool defer = false;  // StartThread succeeds, but the routine waits for RunDeferred

  private:
    struct Worker {
        std::function<void()> routine;  // until it runs
        std::thread thread;
        bool ended = false;
        bool open = true;
    };
    void Run(Worker& worker);

    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    std::map<platform::ThreadHandle, std::unique_ptr<Worker>> m_workers;
    std::vector<Worker*> m_deferred;       // started, waiting for RunDeferred
    std::vector<std::thread*> m_unjoined;  // running or ended, not joined yet
    int m_starts = 0;
};
