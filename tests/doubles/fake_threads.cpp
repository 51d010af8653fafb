#include "tests/doubles/fake_threads.h"

FakeThreads::~FakeThreads() {
    Join();
}

void FakeThreads::Join() {
    RunDeferred();
    std::vector<std::thread> running;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        running.swap(running_);
    }
    for (std::thread& thread : running) thread.join();
}

bool FakeThreads::StartThread(platform::ThreadRoutine routine) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (fail) return false;
    ++starts_;
    if (defer)
        deferred_.push_back(routine);
    else
        running_.emplace_back(routine);
    return true;
}

void FakeThreads::RunDeferred() {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (platform::ThreadRoutine routine : deferred_) running_.emplace_back(routine);
    deferred_.clear();
}

int FakeThreads::Starts() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return starts_;
}
