#pragma once

#include "platform/service.h"

// Starting a worker thread, as the C runtime's thread start does.
namespace platform {

using ThreadRoutine = void (*)();

class IThreads {
  public:
    virtual ~IThreads() = default;
    // Runs routine on a new thread with the default stack; the thread ends when routine returns
    // and nobody waits for it. False when no thread could be started.
    virtual bool StartThread(ThreadRoutine routine) = 0;
};

inline IThreads& Threads() {
    return Use<IThreads>();
}

}  // namespace platform
