#include "platform/win32/win32_threads.h"

#include <windows.h>
#include <process.h>

#include <memory>

namespace platform {
namespace {

// The runtime hands the new thread one pointer; it carries the routine there.
unsigned __stdcall RunRoutine(void* start) {
    const std::unique_ptr<std::function<void()>> routine(
        static_cast<std::function<void()>*>(start));
    (*routine)();
    return 0;
}

}  // namespace

ThreadHandle Win32Threads::StartThread(std::function<void()> routine) {
    auto start = std::make_unique<std::function<void()>>(std::move(routine));
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, RunRoutine, start.get(), 0, nullptr);
    if (thread == 0) return 0;
    start.release();  // the thread owns it now
    return static_cast<ThreadHandle>(thread);
}

bool Win32Threads::WaitForThread(ThreadHandle thread, std::uint32_t milliseconds) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(thread), milliseconds) != WAIT_TIMEOUT;
}

bool Win32Threads::CloseHandle(ThreadHandle thread) {
    return ::CloseHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace platform
