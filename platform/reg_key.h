#pragma once

#include "platform/registry.h"

namespace platform {

// Owns one open registry key and closes it once.
class RegKey {
  public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    // RegCreateKeyExA; on failure the key stays null.
    long Create(Key root, const char* subKey, std::uint32_t access) {
        Close();
        const long rc = Registry().CreateKeyEx(root, subKey, access, &key_);
        if (rc != kErrorSuccess) key_ = 0;
        return rc;
    }
    long Open(Key root, const char* subKey, std::uint32_t access) {
        Close();
        const long rc = Registry().OpenKeyEx(root, subKey, access, &key_);
        if (rc != kErrorSuccess) key_ = 0;
        return rc;
    }
    void Close() {
        if (key_ != 0) Registry().CloseKey(key_);
        key_ = 0;
    }
    Key get() const { return key_; }
    explicit operator bool() const { return key_ != 0; }

  private:
    Key key_ = 0;
};

}  // namespace platform
