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

std::string RootName(platform::Key root) {
    if (root == platform::kCurrentUser) return "HKCU";
    if (root == platform::kLocalMachine) return "HKLM";
    if (root == platform::kClassesRoot) return "HKCR";
    return "";
}

// Key paths compare without case and without a trailing backslash, as the registry does.
std::string Normal(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return Lower(path);
}

}  // namespace

std::string FakeRegistry::PathOf(platform::Key root, const char* subKey) const {
    std::string base = RootName(root);
    if (base.empty()) {
        const auto found = m_handles.find(root);
        if (found == m_handles.end()) return "";
        base = found->second;
    }
    return subKey && *subKey ? base + "\\" + subKey : base;
}

long FakeRegistry::Open(platform::Key root, const char* subKey, bool create,
                        platform::Key* result) {
    *result = 0;
    const std::string path = PathOf(root, subKey);
    if (path.empty()) return 6;  // ERROR_INVALID_HANDLE
    for (const std::string& failing : failingKeys)
        if (Lower(path).find(Lower(failing)) != std::string::npos)
            return platform::kErrorAccessDenied;
    const std::string normal = Normal(path);
    if (!m_keys.count(normal)) {
        if (!create) return platform::kErrorFileNotFound;
        // Creating a key creates its missing parents.
        for (std::size_t at = normal.find('\\'); at != std::string::npos;
             at = normal.find('\\', at + 1))
            m_keys[normal.substr(0, at)];
        m_keys[normal];
    }
    *result = m_next++;
    m_handles[*result] = normal;
    return platform::kErrorSuccess;
}

long FakeRegistry::CreateKeyEx(platform::Key root, const char* subKey, std::uint32_t access,
                               platform::Key* result) {
    calls.push_back("CreateKeyEx " + PathOf(root, subKey) + " " + std::to_string(access));
    return Open(root, subKey, true, result);
}

long FakeRegistry::OpenKeyEx(platform::Key root, const char* subKey, std::uint32_t access,
                             platform::Key* result) {
    calls.push_back("OpenKeyEx " + PathOf(root, subKey) + " " + std::to_string(access));
    return Open(root, subKey, false, result);
}

long FakeRegistry::QueryValueEx(platform::Key key, const char* name, std::uint32_t* type,
                                void* data, std::uint32_t* size) {
    calls.push_back(std::string("QueryValueEx ") + (name ? name : ""));
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end()) return 6;
    const auto& values = m_keys[handle->second];
    const auto found = values.find(Lower(name ? name : ""));
    if (found == values.end()) return platform::kErrorFileNotFound;
    const Value& value = found->second;
    if (type) *type = value.type;
    const auto needed = static_cast<std::uint32_t>(value.bytes.size());
    if (!size) return platform::kErrorSuccess;
    if (data && *size < needed) {
        *size = needed;
        return platform::kErrorMoreData;
    }
    if (data && needed) std::memcpy(data, value.bytes.data(), needed);
    *size = needed;
    return platform::kErrorSuccess;
}

long FakeRegistry::SetValueEx(platform::Key key, const char* name, std::uint32_t type,
                              const void* data, std::uint32_t size) {
    calls.push_back(std::string("SetValueEx ") + (name ? name : ""));
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end()) return 6;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_keys[handle->second][Lower(name ? name : "")] = Value{type, {bytes, bytes + size}};
    return platform::kErrorSuccess;
}

long FakeRegistry::DeleteValue(platform::Key key, const char* name) {
    calls.push_back(std::string("DeleteValue ") + (name ? name : ""));
    const auto handle = m_handles.find(key);
    if (handle == m_handles.end()) return 6;
    return m_keys[handle->second].erase(Lower(name ? name : "")) ? platform::kErrorSuccess
                                                                 : platform::kErrorFileNotFound;
}

long FakeRegistry::DeleteKey(platform::Key key, const char* subKey) {
    calls.push_back(std::string("DeleteKey ") + (subKey ? subKey : ""));
    const std::string path = Normal(PathOf(key, subKey));
    if (path.empty() || !m_keys.count(path)) return platform::kErrorFileNotFound;
    const std::string prefix = path + "\\";
    for (const auto& entry : m_keys)
        if (entry.first.compare(0, prefix.size(), prefix) == 0)
            return platform::kErrorAccessDenied;  // a key with subkeys stays
    m_keys.erase(path);
    return platform::kErrorSuccess;
}

long FakeRegistry::CloseKey(platform::Key key) {
    calls.push_back("CloseKey");
    return m_handles.erase(key) ? platform::kErrorSuccess : 6;
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
    PutRaw(path, name, platform::kRegDword, bytes);
}

void FakeRegistry::PutString(const std::string& path, const std::string& name,
                             const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    PutRaw(path, name, platform::kRegSz, bytes);
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
