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
        const long rc = Registry().CreateKeyEx(root, subKey, access, &m_key);
        if (rc != kErrorSuccess) m_key = 0;
        return rc;
    }
    long Open(Key root, const char* subKey, std::uint32_t access) {
        Close();
        const long rc = Registry().OpenKeyEx(root, subKey, access, &m_key);
        if (rc != kErrorSuccess) m_key = 0;
        return rc;
    }
    void Close() {
        if (m_key != 0) Registry().CloseKey(m_key);
        m_key = 0;
    }
    Key get() const { return m_key; }
    explicit operator bool() const { return m_key != 0; }

  private:
    Key m_key = 0;
};

}  // namespace platform
