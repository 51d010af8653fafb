#pragma once

#include <string>

#include "platform/registry.h"

namespace platform {

// Owns one open registry key and closes it once.
class RegKey {
  public:
    RegKey() = default;
    RegKey(Root root, const std::string& path, KeyAccess access) { Open(root, path, access); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    // On failure the key stays null.
    KeyOpening Open(Root root, const std::string& path, KeyAccess access) {
        Close();
        const KeyOpening opening = Registry().OpenKey(root, path, access, &m_key);
        if (opening != KeyOpening::kOpened) m_key = 0;
        return opening;
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
