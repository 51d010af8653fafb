#pragma once

#include <string>

#include "platform/service.h"

// The process's argument vector as the C runtime split it, and the program's own file.
namespace platform {

class IProcess {
  public:
    virtual ~IProcess() = default;
    virtual int ArgumentCount() = 0;
    virtual char** Arguments() = 0;
    // The full path of the program's own file; "" when the system cannot give it.
    virtual std::string ProgramPath() = 0;
};

inline IProcess& Process() {
    return Use<IProcess>();
}

}  // namespace platform
