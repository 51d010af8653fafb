#pragma once

#include <cstdint>

#include "platform/service.h"

// The process's argument vector as the C runtime split it, and the program's own file.
namespace platform {

class IProcess {
  public:
    virtual ~IProcess() = default;
    virtual int ArgumentCount() = 0;
    virtual char** Arguments() = 0;
    // The full path of the program's own file, as GetModuleFileNameA(NULL, ...) gives it: the
    // length copied, or `size` when the path did not fit (the buffer may then lack its end).
    virtual std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) = 0;
};

inline IProcess& Process() {
    return Use<IProcess>();
}

}  // namespace platform
