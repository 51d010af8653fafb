#pragma once

#include "platform/service.h"

// The process's argument vector as the C runtime split it.
namespace platform {

class IProcess {
  public:
    virtual ~IProcess() = default;
    virtual int ArgumentCount() = 0;
    virtual char** Arguments() = 0;
};

inline IProcess& Process() {
    return Use<IProcess>();
}

}  // namespace platform
