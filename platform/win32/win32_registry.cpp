#include <windows.h>

#include <cstring>

#include "base/wide_text.h"
#include "platform/win32/win32_services.h"

namespace platform {
namespace {

// Values that change size between the two reads are read again a few times.
constexpr int kReadAttempts = 4;

HKEY ToHkey(Key key) {
    return reinterpret_cast<HKEY>(key);
}

HKEY RootKey(Root root) {
    switch (root) {
        case Root::kLocalMachine:
            return HKEY_LOCAL_MACHINE;
        case Root::kClassesRoot:
            return HKEY_CLASSES_ROOT;
        case Root::kCurrentUser:
            break;
    }
    return HKEY_CURRENT_USER;
}

LONG Set(Key key, const WideString& name, DWORD type, const void* data, std::size_t size) {
    return RegSetValueExW(ToHkey(key), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size));
}

DWORD StoredType(Key key, const WideString& name) {
    DWORD type = REG_NONE;
    return RegQueryValueExW(ToHkey(key), name.c_str(), nullptr, &type, nullptr, nullptr) ==
                   ERROR_SUCCESS
               ? type
               : REG_NONE;
}

}  // namespace

KeyOpening Win32Registry::OpenKey(Root root, const std::string& path, KeyAccess access, Key* key) {
    HKEY opened = nullptr;
    const WideString subKey = ToWide(path);
    const REGSAM rights = access == KeyAccess::kRead ? KEY_READ : KEY_READ | KEY_WRITE;
    const LONG rc = access == KeyAccess::kCreate
                        ? RegCreateKeyExW(RootKey(root), subKey.c_str(), 0, nullptr, 0, rights,
                                          nullptr, &opened, nullptr)
                        : RegOpenKeyExW(RootKey(root), subKey.c_str(), 0, rights, &opened);
    *key = rc == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
    if (rc == ERROR_SUCCESS) return KeyOpening::kOpened;
    return rc == ERROR_FILE_NOT_FOUND ? KeyOpening::kMissing : KeyOpening::kFailed;
}

void Win32Registry::CloseKey(Key key) {
    RegCloseKey(ToHkey(key));
}

ValueReading Win32Registry::ReadStored(Key key, const std::string& name, StoredValue* value) {
    const WideString valueName = ToWide(name);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LONG rc = RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, &type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND) return ValueReading::kMissing;
        if (rc != ERROR_SUCCESS) return ValueReading::kFailed;
        std::vector<std::uint8_t> bytes(size);
        rc = RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, &type,
                              bytes.empty() ? nullptr : bytes.data(), &size);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc == ERROR_FILE_NOT_FOUND) return ValueReading::kMissing;
        if (rc != ERROR_SUCCESS) return ValueReading::kFailed;
        bytes.resize(size);
        *value = StoredValue{type, std::move(bytes)};
        return ValueReading::kRead;
    }
    return ValueReading::kFailed;
}

// A stored text may lack its terminator or end in half a character; it ends at the first
// terminator or at its last whole character.
std::optional<std::string> Win32Registry::ReadText(Key key, const std::string& name) {
    StoredValue value;
    if (ReadStored(key, name, &value) != ValueReading::kRead ||
        (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
        return std::nullopt;
    std::vector<wchar_t> text(value.bytes.size() / sizeof(wchar_t) + 1, L'\0');
    std::memcpy(text.data(), value.bytes.data(), (text.size() - 1) * sizeof(wchar_t));
    return FromWide(WideView(text.data(), wcsnlen(text.data(), text.size() - 1)));
}

std::optional<std::uint32_t> Win32Registry::ReadNumber(Key key, const std::string& name) {
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExW(ToHkey(key), ToWide(name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&number), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number)
        return std::nullopt;
    return number;
}

bool Win32Registry::WriteText(Key key, const std::string& name, const std::string& text) {
    const WideString wideName = ToWide(name);
    const WideString wide = ToWide(text);
    const DWORD type = StoredType(key, wideName) == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
    return Set(key, wideName, type, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)) ==
           ERROR_SUCCESS;
}

bool Win32Registry::WriteNumber(Key key, const std::string& name, std::uint32_t number) {
    const DWORD value = number;
    return Set(key, ToWide(name), REG_DWORD, &value, sizeof value) == ERROR_SUCCESS;
}

bool Win32Registry::WriteStored(Key key, const std::string& name, const StoredValue& value) {
    return Set(key, ToWide(name), value.type, value.bytes.empty() ? nullptr : value.bytes.data(),
               value.bytes.size()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(Key key, const std::string& name) {
    const LONG rc = RegDeleteValueW(ToHkey(key), ToWide(name).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool Win32Registry::DeleteSubKey(Key key, const std::string& name) {
    return RegDeleteKeyW(ToHkey(key), ToWide(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace platform
