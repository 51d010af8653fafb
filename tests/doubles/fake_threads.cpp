#include "tests/doubles/fake_threads.h"

#include <atomic>
#include <chrono>

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
        const std::lock_guard<std::mutex> lock(mutex_);
        worker.ended = true;
        ended_.notify_all();
    });
}

platform::ThreadHandle FakeThreads::StartThread(std::function<void()> routine) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (fail) return 0;
    ++starts_;
    const platform::ThreadHandle handle = g_nextHandle++;
    auto& worker = workers_[handle];
    worker = std::make_unique<Worker>();
    worker->routine = std::move(routine);
    if (!defer) Run(*worker);
    return handle;
}

bool FakeThreads::WaitForThread(platform::ThreadHandle thread, std::uint32_t milliseconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto found = workers_.find(thread);
    if (found == workers_.end() || !found->second->open) return true;
    Worker& worker = *found->second;
    return ended_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                           [&] { return worker.ended; });
}

bool FakeThreads::CloseHandle(platform::ThreadHandle thread) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = workers_.find(thread);
    if (found == workers_.end() || !found->second->open) return false;
    found->second->open = false;
    return true;
}

void FakeThreads::RunDeferred() {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (auto& entry : workers_)
        if (entry.second->routine) Run(*entry.second);
}

void FakeThreads::Join() {
    RunDeferred();
    std::vector<std::thread*> threads;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        for (auto& entry : workers_) threads.push_back(&entry.second->thread);
    }
    for (std::thread* thread : threads)
        if (thread->joinable()) thread->join();
}

int FakeThreads::Starts() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return starts_;
}

std::size_t FakeThreads::OpenHandles() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::size_t open = 0;
    for (const auto& entry : workers_) open += entry.second->open ? 1 : 0;
    return open;
}
