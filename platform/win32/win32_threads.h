#pragma once

#include "platform/threads.h"

namespace platform {

// Starts detached threads through the C runtime.
class Win32Threads final : public IThreads {
  public:
    bool StartThread(ThreadRoutine routine) override;
};

}  // namespace platform
