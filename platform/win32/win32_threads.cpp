#include "platform/win32/win32_threads.h"

#include <windows.h>
#include <process.h>

#include <cstdint>
#include <memory>

namespace platform {
namespace {

// The runtime hands the new thread one pointer; it carries the routine there.
struct Start {
    ThreadRoutine routine;
};

unsigned __stdcall RunRoutine(void* start) {
    const std::unique_ptr<Start> owned(static_cast<Start*>(start));
    owned->routine();
    return 0;
}

}  // namespace

bool Win32Threads::StartThread(ThreadRoutine routine) {
    auto start = std::make_unique<Start>(Start{routine});
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, RunRoutine, start.get(), 0, nullptr);
    if (thread == 0) return false;
    start.release();  // the thread owns it now
    // Nobody waits for the worker, so its handle is not kept.
    CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
}

}  // namespace platform
