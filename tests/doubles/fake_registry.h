#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

// An in-memory registry that records every call and fails on request.
class FakeRegistry : public platform::IRegistry {
  public:
    struct Value {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> bytes;
    };

    long CreateKeyEx(platform::Key root, const char* subKey, std::uint32_t access,
                     platform::Key* result) override;
    long OpenKeyEx(platform::Key root, const char* subKey, std::uint32_t access,
                   platform::Key* result) override;
    long QueryValueEx(platform::Key key, const char* name, std::uint32_t* type, void* data,
                      std::uint32_t* size) override;
    long SetValueEx(platform::Key key, const char* name, std::uint32_t type, const void* data,
                    std::uint32_t size) override;
    long DeleteValue(platform::Key key, const char* name) override;
    long DeleteKey(platform::Key key, const char* subKey) override;
    long CloseKey(platform::Key key) override;

    // Test side: paths are written like "HKCU\\SOFTWARE\\QUADDLE".
    void PutDword(const std::string& path, const std::string& name, std::uint32_t value);
    void PutString(const std::string& path, const std::string& name, const std::string& text);
    void PutRaw(const std::string& path, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& bytes);
    bool HasKey(const std::string& path) const;
    const Value* Find(const std::string& path, const std::string& name) const;
    std::uint32_t Dword(const std::string& path, const std::string& name) const;
    std::string String(const std::string& path, const std::string& name) const;
    std::size_t OpenHandles() const { return m_handles.size(); }

    std::vector<std::string> calls;
    // Opening or creating any key whose path contains one of these fails with access denied.
    std::set<std::string> failingKeys;

  private:
    std::string PathOf(platform::Key root, const char* subKey) const;
    long Open(platform::Key root, const char* subKey, bool create, platform::Key* result);

    std::map<std::string, std::map<std::string, Value>> m_keys;  // lower-case path -> values
    std::map<platform::Key, std::string> m_handles;
    platform::Key m_next = 0x1000;
};
