#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/service.h"

// Starting a worker thread and waiting for its end, as _beginthreadex and WaitForSingleObject do.
namespace platform {

using ThreadHandle = std::intptr_t;  // a thread's HANDLE; 0 is none

class IThreads {
  public:
    virtual ~IThreads() = default;
    // Runs routine on a new thread with the default stack; its handle, or 0 when no thread
    // could be started.
    virtual ThreadHandle StartThread(std::function<void()> routine) = 0;
    // True when the thread has ended (or the handle is none of a thread's), waiting at most
    // `milliseconds` for it.
    virtual bool WaitForThread(ThreadHandle thread, std::uint32_t milliseconds) = 0;
    virtual bool CloseHandle(ThreadHandle thread) = 0;
};

inline IThreads& Threads() {
    return Use<IThreads>();
}

// Owns one thread's handle and closes it once; closing does not wait for the thread.
class Thread {
  public:
    explicit Thread(ThreadHandle handle) : m_handle(handle) {}
    Thread(Thread&& other) noexcept : m_handle(std::exchange(other.m_handle, 0)) {}
    Thread& operator=(Thread&& other) noexcept {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    ~Thread() {
        if (m_handle != 0) Threads().CloseHandle(m_handle);
    }

    bool Ended(std::uint32_t milliseconds = 0) const {
        return Threads().WaitForThread(m_handle, milliseconds);
    }
    explicit operator bool() const { return m_handle != 0; }

  private:
    ThreadHandle m_handle;
};

}  // namespace platform
