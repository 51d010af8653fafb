#include "tests/doubles/fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string RootName(platform::Root root) {
    switch (root) {
        case platform::Root::kLocalMachine:
            return "HKLM";
        case platform::Root::kClassesRoot:
            return "HKCR";
        case platform::Root::kCurrentUser:
            break;
    }
    return "HKCU";
}

const char* AccessName(platform::KeyAccess access) {
    switch (access) {
        case platform::KeyAccess::kChange:
            return "change";
        case platform::KeyAccess::kCreate:
            return "create";
        case platform::KeyAccess::kRead:
            break;
    }
    return "read";
}

// Key paths compare without case and without a trailing backslash, as the registry does.
std::string Normal(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return Lower(path);
}

std::vector<std::uint8_t> TextBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace

platform::KeyOpening FakeRegistry::OpenKey(platform::Root root, const std::string& subKey,
                                           platform::KeyAccess access, platform::Key* key) {
    const std::string path = subKey.empty() ? RootName(root) : RootName(root) + "\\" + subKey;
    calls.push_back("OpenKey " + path + " " + AccessName(access));
    *key = 0;
    for (const std::string& failing : failingKeys)
        if (Lower(path).find(Lower(failing)) != std::string::npos)
            return platform::KeyOpening::kFailed;
    const std::string normal = Normal(path);
    if (!m_keys.count(normal)) {
        if (access != platform::KeyAccess::kCreate) return platform::KeyOpening::kMissing;
        // Creating a key creates its missing parents.
        for (std::size_t at = normal.find('\\'); at != std::string::npos;
             at = normal.find('\\', at + 1))
            m_keys[normal.substr(0, at)];
        m_keys[normal];
    }
    *key = m_next++;
    m_handles[*key] = normal;
    return platform::KeyOpening::kOpened;
}

void FakeRegistry::CloseKey(platform::Key key) {
    calls.push_back("CloseKey");
    m_handles.erase(key);
}

std::map<std::string, FakeRegistry::Value>* FakeRegistry::Values(platform::Key key) {
    const auto handle = m_handles.find(key);
    return handle == m_handles.end() ? nullptr : &m_keys[handle->second];
}

const FakeRegistry::Value* FakeRegistry::Stored(platform::Key key, const std::string& name) {
    const auto* values = Values(key);
    if (!values) return nullptr;
    const auto found = values->find(Lower(name));
    return found == values->end() ? nullptr : &found->second;
}

std::optional<std::string> FakeRegistry::ReadText(platform::Key key, const std::string& name) {
    Record("ReadText", name);
    const Value* value = Stored(key, name);
    if (!value || (value->type != kText && value->type != kExpandableText)) return std::nullopt;
    const std::string text(value->bytes.begin(), value->bytes.end());
    return text.substr(0, text.find('\0'));
}

std::optional<std::uint32_t> FakeRegistry::ReadNumber(platform::Key key, const std::string& name) {
    Record("ReadNumber", name);
    const Value* value = Stored(key, name);
    if (!value || value->type != kNumber || value->bytes.size() != 4) return std::nullopt;
    std::uint32_t number = 0;
    std::memcpy(&number, value->bytes.data(), 4);
    return number;
}

platform::ValueReading FakeRegistry::ReadStored(platform::Key key, const std::string& name,
                                                platform::StoredValue* value) {
    Record("ReadStored", name);
    const auto* values = Values(key);
    if (!values) return platform::ValueReading::kFailed;
    const auto found = values->find(Lower(name));
    if (found == values->end()) return platform::ValueReading::kMissing;
    *value = found->second;
    return platform::ValueReading::kRead;
}

bool FakeRegistry::WriteText(platform::Key key, const std::string& name, const std::string& text) {
    Record("WriteText", name);
    auto* values = Values(key);
    if (!values) return false;
    const auto found = values->find(Lower(name));
    const bool expandable = found != values->end() && found->second.type == kExpandableText;
    (*values)[Lower(name)] = Value{expandable ? kExpandableText : kText, TextBytes(text)};
    return true;
}

bool FakeRegistry::WriteNumber(platform::Key key, const std::string& name, std::uint32_t number) {
    Record("WriteNumber", name);
    auto* values = Values(key);
    if (!values) return false;
    std::vector<std::uint8_t> bytes(4);
    std::memcpy(bytes.data(), &number, 4);
    (*values)[Lower(name)] = Value{kNumber, bytes};
    return true;
}

bool FakeRegistry::WriteStored(platform::Key key, const std::string& name,
                               const platform::StoredValue& value) {
    Record("WriteStored", name);
    auto* values = Values(key);
    if (!values) return false;
    (*values)[Lower(name)] = value;
    return true;
}

bool FakeRegistry::DeleteValue(platform::Key key, const std::string& name) {
    Record("DeleteValue", name);
    auto* values = Values(key);
    if (!values) return false;
    values->erase(Lower(name));
    return true;
}

bool FakeRegistry::DeleteSubKey(platform::Key key, const std::string& name) {
    Record("DeleteSubKey", name);
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end()) return false;
    const std::string path = Normal(handle->second + "\\" + name);
    if (!m_keys.count(path)) return false;
    const std::string prefix = path + "\\";
    for (const auto& entry : m_keys)
        if (entry.first.compare(0, prefix.size(), prefix) == 0)
            return false;  // a key with subkeys stays
    m_keys.erase(path);
    return true;
}

void FakeRegistry::PutRaw(const std::string& path, const std::string& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& bytes) {
    const std::string normal = Normal(path);
    for (std::size_t at = normal.find('\\'); at != std::string::npos;
         at = normal.find('\\', at + 1))
        m_keys[normal.substr(0, at)];
    m_keys[normal][Lower(name)] = Value{type, bytes};
}

void FakeRegistry::PutDword(const std::string& path, const std::string& name, std::uint32_t value) {
    std::vector<std::uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    PutRaw(path, name, kNumber, bytes);
}

void FakeRegistry::PutString(const std::string& path, const std::string& name,
                             const std::string& text, std::uint32_t type) {
    PutRaw(path, name, type, TextBytes(text));
}

bool FakeRegistry::HasKey(const std::string& path) const {
    return m_keys.count(Normal(path));
}

const FakeRegistry::Value* FakeRegistry::Find(const std::string& path,
                                              const std::string& name) const {
    const auto key = m_keys.find(Normal(path));
    if (key == m_keys.end()) return nullptr;
    const auto value = key->second.find(Lower(name));
    return value == key->second.end() ? nullptr : &value->second;
}

std::uint32_t FakeRegistry::Dword(const std::string& path, const std::string& name) const {
    const Value* value = Find(path, name);
    std::uint32_t result = 0;
    if (value && value->bytes.size() == 4) std::memcpy(&result, value->bytes.data(), 4);
    return result;
}

std::string FakeRegistry::String(const std::string& path, const std::string& name) const {
    const Value* value = Find(path, name);
    if (!value) return "";
    std::string text(value->bytes.begin(), value->bytes.end());
    return text.substr(0, text.find('\0'));
}
