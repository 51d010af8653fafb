#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

// An in-memory registry that records every call and fails on request. Texts are held as UTF-8
// with a terminator, under the system's type numbers.
class FakeRegistry : public platform::IRegistry {
  public:
    using Value = platform::StoredValue;

    static constexpr std::uint32_t kText = 1;
    static constexpr std::uint32_t kExpandableText = 2;
    static constexpr std::uint32_t kBinary = 3;
    static constexpr std::uint32_t kNumber = 4;

    platform::KeyOpening OpenKey(platform::Root root, const std::string& path,
                                 platform::KeyAccess access, platform::Key* key) override;
    void CloseKey(platform::Key key) override;
    std::optional<std::string> ReadText(platform::Key key, const std::string& name) override;
    std::optional<std::uint32_t> ReadNumber(platform::Key key, const std::string& name) override;
    platform::ValueReading ReadStored(platform::Key key, const std::string& name,
                                      platform::StoredValue* value) override;
    bool WriteText(platform::Key key, const std::string& name, const std::string& text) override;
    bool WriteNumber(platform::Key key, const std::string& name, std::uint32_t number) override;
    bool WriteStored(platform::Key key, const std::string& name,
                     const platform::StoredValue& value) override;
    bool DeleteValue(platform::Key key, const std::string& name) override;
    bool DeleteSubKey(platform::Key key, const std::string& name) override;

    // Test side: paths are written like "HKCU\\SOFTWARE\\QUADDLE".
    void PutDword(const std::string& path, const std::string& name, std::uint32_t value);
    void PutString(const std::string& path, const std::string& name, const std::string& text,
                   std::uint32_t type = kText);
    void PutRaw(const std::string& path, const std::string& name, std::uint32_t type,
                const std::vector<std::uint8_t>& bytes);
    bool HasKey(const std::string& path) const;
    const Value* Find(const std::string& path, const std::string& name) const;
    std::uint32_t Dword(const std::string& path, const std::string& name) const;
    std::string String(const std::string& path, const std::string& name) const;
    std::size_t OpenHandles() const { return m_handles.size(); }

    std::vector<std::string> calls;
    // Opening any key whose path contains one of these fails as access denied.
    std::set<std::string> failingKeys;

  private:
    // The values of an open key, or null for a handle that is none.
    std::map<std::string, Value>* Values(platform::Key key);
    const Value* Stored(platform::Key key, const std::string& name);
    void Record(const std::string& call, const std::string& name) {
        calls.push_back(call + " " + name);
    }

    std::map<std::string, std::map<std::string, Value>> m_keys;  // lower-case path -> values
    std::map<platform::Key, std::string> m_handles;
    platform::Key m_next = 0x1000;
};
