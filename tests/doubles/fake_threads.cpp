#include "tests/doubles/fake_threads.h"

#include <atomic>
#include <chrono>
#include <utility>

namespace {

// Handles are unique across every double, so one that outlives its double is never mistaken.
std::atomic<platform::ThreadHandle> g_nextHandle{0x7000};

}  // namespace

FakeThreads::~FakeThreads() {
    Join();
}

void FakeThreads::Run(Worker& worker) {
    worker.thread = std::thread([this, &worker, routine = std::move(worker.routine)] {
        routine();
        const std::lock_guard<std::mutex> lock(m_mutex);
        worker.ended = true;
        m_ended.notify_all();
    });
    m_unjoined.push_back(&worker.thread);
}

platform::ThreadHandle FakeThreads::StartThread(std::function<void()> routine) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (fail) return 0;
    ++m_starts;
    const platform::ThreadHandle handle = g_nextHandle++;
    auto& worker = m_workers[handle];
    worker = std::make_unique<Worker>();
    worker->routine = std::move(routine);
    if (defer)
        m_deferred.push_back(worker.get());
    else
        Run(*worker);
    return handle;
}

bool FakeThreads::WaitForThread(platform::ThreadHandle thread, std::uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto found = m_workers.find(thread);
    if (found == m_workers.end() || !found->second->open) return true;
    Worker& worker = *found->second;
    return m_ended.wait_for(lock, std::chrono::milliseconds(milliseconds),
                            [&] { return worker.ended; });
}

bool FakeThreads::CloseHandle(platform::ThreadHandle thread) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_workers.find(thread);
    if (found == m_workers.end() || !found->second->open) return false;
    found->second->open = false;
    return true;
}

void FakeThreads::RunDeferred() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (Worker* worker : std::exchange(m_deferred, {})) Run(*worker);
}

void FakeThreads::Join() {
    RunDeferred();
    std::vector<std::thread*> threads;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        threads = std::exchange(m_unjoined, {});
    }
    for (std::thread* thread : threads) thread->join();
}

int FakeThreads::Starts() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_starts;
}

bool FakeThreads::LatestEnded(std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_workers.empty()) return true;
    const Worker& latest = *m_workers.rbegin()->second;  // handles grow with each start
    return m_ended.wait_for(lock, wait, [&] { return latest.ended; });
}

std::size_t FakeThreads::OpenHandles() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::size_t open = 0;
    for (const auto& entry : m_workers) open += entry.second->open ? 1 : 0;
    return open;
}
