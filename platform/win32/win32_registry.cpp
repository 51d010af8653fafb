#include <windows.h>

#include "platform/win32/win32_services.h"

namespace platform {
namespace {

HKEY ToHkey(Key key) {
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

long Win32Registry::CreateKeyEx(Key root, const char* subKey, std::uint32_t access, Key* result) {
    HKEY opened = nullptr;
    const LONG rc = RegCreateKeyExA(ToHkey(root), subKey, 0, const_cast<char*>(""), 0, access,
                                    nullptr, &opened, nullptr);
    *result = reinterpret_cast<Key>(opened);
    return rc;
}

long Win32Registry::OpenKeyEx(Key root, const char* subKey, std::uint32_t access, Key* result) {
    HKEY opened = nullptr;
    const LONG rc = RegOpenKeyExA(ToHkey(root), subKey, 0, access, &opened);
    *result = reinterpret_cast<Key>(opened);
    return rc;
}

long Win32Registry::QueryValueEx(Key key, const char* name, std::uint32_t* type, void* data,
                                 std::uint32_t* size) {
    DWORD valueType = 0;
    DWORD valueSize = size ? *size : 0;
    const LONG rc = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType,
                                     static_cast<BYTE*>(data), size ? &valueSize : nullptr);
    if (type) *type = valueType;
    if (size) *size = valueSize;
    return rc;
}

long Win32Registry::SetValueEx(Key key, const char* name, std::uint32_t type, const void* data,
                               std::uint32_t size) {
    return RegSetValueExA(ToHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

long Win32Registry::DeleteValue(Key key, const char* name) {
    return RegDeleteValueA(ToHkey(key), name);
}

long Win32Registry::DeleteKey(Key key, const char* subKey) {
    return RegDeleteKeyA(ToHkey(key), subKey);
}

long Win32Registry::CloseKey(Key key) {
    return RegCloseKey(ToHkey(key));
}

}  // namespace platform
