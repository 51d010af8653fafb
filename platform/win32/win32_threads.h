#pragma once

#include "platform/threads.h"

namespace platform {

// Starts threads through the C runtime and waits on their handles.
class Win32Threads final : public IThreads {
  public:
    ThreadHandle StartThread(std::function<void()> routine) override;
    bool WaitForThread(ThreadHandle thread, std::uint32_t milliseconds) override;
    bool CloseHandle(ThreadHandle thread) override;
};

}  // namespace platform
