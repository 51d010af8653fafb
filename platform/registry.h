#pragma once

#include <cstdint>

#include "platform/service.h"

// The registry calls the logic makes, with the arguments, codes and constants of the Win32 API.
namespace platform {

using Key = std::intptr_t;  // an HKEY; the predefined roots sign-extend as they do in Win32

inline constexpr Key kClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr Key kCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr Key kLocalMachine = static_cast<std::int32_t>(0x80000002u);

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorMoreData = 234;

inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

class IRegistry {
  public:
    virtual ~IRegistry() = default;
    // RegCreateKeyExA with an empty class, no options and no security attributes.
    virtual long CreateKeyEx(Key root, const char* subKey, std::uint32_t access, Key* result) = 0;
    virtual long OpenKeyEx(Key root, const char* subKey, std::uint32_t access, Key* result) = 0;
    virtual long QueryValueEx(Key key, const char* name, std::uint32_t* type, void* data,
                              std::uint32_t* size) = 0;
    virtual long SetValueEx(Key key, const char* name, std::uint32_t type, const void* data,
                            std::uint32_t size) = 0;
    virtual long DeleteValue(Key key, const char* name) = 0;
    virtual long DeleteKey(Key key, const char* subKey) = 0;
    virtual long CloseKey(Key key) = 0;
};

inline IRegistry& Registry() {
    return Use<IRegistry>();
}

}  // namespace platform
