#include "tests/doubles/fake_system.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>

std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

namespace {

bool WritableOrAbsent(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return true;
    return (info.st_mode & S_IWUSR) != 0;
}

}  // namespace

FakeFiles::~FakeFiles() {
    for (auto& entry : m_open) std::fclose(entry.second);
}

platform::FileHandle FakeFiles::CreateFileA(const char* path, std::uint32_t access, std::uint32_t,
                                            std::uint32_t disposition, std::uint32_t) {
    calls.push_back(std::string("CreateFile ") + path);
    if (lockedPaths.count(path)) return platform::kInvalidFile;
    const std::string host = HostPath(path);
    std::FILE* file = nullptr;
    if (access & platform::kGenericWrite) {
        if (!WritableOrAbsent(host)) return platform::kInvalidFile;
        file = std::fopen(host.c_str(), disposition == platform::kOpenExisting ? "r+b" : "ab");
    } else {
        file = std::fopen(host.c_str(), "rb");
    }
    if (!file) return platform::kInvalidFile;
    m_open[m_next] = file;
    return m_next++;
}

std::uint32_t FakeFiles::GetFileSize(platform::FileHandle file) {
    std::FILE* stream = m_open.at(file);
    std::fseek(stream, 0, SEEK_END);
    return static_cast<std::uint32_t>(std::ftell(stream));
}

bool FakeFiles::SeekToEnd(platform::FileHandle file) {
    return std::fseek(m_open.at(file), 0, SEEK_END) == 0;
}

bool FakeFiles::WriteFile(platform::FileHandle file, const void* data, std::uint32_t size) {
    return std::fwrite(data, 1, size, m_open.at(file)) == size;
}

bool FakeFiles::CloseHandle(platform::FileHandle file) {
    const auto found = m_open.find(file);
    if (found == m_open.end()) return false;
    std::fclose(found->second);
    m_open.erase(found);
    return true;
}

bool FakeFiles::DeleteFileA(const char* path) {
    calls.push_back(std::string("DeleteFile ") + path);
    return std::remove(HostPath(path).c_str()) == 0;
}

std::uint32_t FakeFiles::GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
    if (currentDirectory.empty()) return 0;
    const auto length = static_cast<std::uint32_t>(currentDirectory.size());
    if (length + 1 > size) return length + 1;
    std::memcpy(buffer, currentDirectory.c_str(), length + 1);
    return length;
}

bool FakeFiles::GetSpecialFolderPath(int csidl, char* path) {
    calls.push_back("GetSpecialFolderPath " + std::to_string(csidl));
    if (startupFolder.empty()) return false;
    std::snprintf(path, 260, "%s", startupFolder.c_str());
    return true;
}

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool IsSection(const std::string& line, std::string* name) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return false;
    *name = trimmed.substr(1, trimmed.find(']') - 1);
    return true;
}

// The line index of key in section, or -1; *end receives where the section ends.
int FindKey(const std::vector<std::string>& lines, const std::string& section,
            const std::string& key, int* sectionEnd) {
    bool inSection = false;
    *sectionEnd = -1;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        std::string name;
        if (IsSection(lines[i], &name)) {
            if (inSection) return -1;
            inSection = SameName(name, section);
            if (inSection) *sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        *sectionEnd = i + 1;
        const auto equals = lines[i].find('=');
        if (equals != std::string::npos && SameName(Trim(lines[i].substr(0, equals)), key))
            return i;
    }
    return -1;
}

}  // namespace

std::uint32_t FakeProfile::GetPrivateProfileStringA(const char* section, const char* key,
                                                    const char* defaultText, char* buffer,
                                                    std::uint32_t size, const char* path) {
    const std::vector<std::string> lines = ReadLines(HostPath(path));
    int end = 0;
    const int at = FindKey(lines, section, key, &end);
    std::string value = at >= 0 ? Trim(lines[at].substr(lines[at].find('=') + 1))
                                : std::string(defaultText ? defaultText : "");
    if (value.size() > size - 1) value.resize(size - 1);
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<std::uint32_t>(value.size());
}

bool FakeProfile::WritePrivateProfileStringA(const char* section, const char* key,
                                             const char* value, const char* path) {
    const std::string host = HostPath(path);
    if (!WritableOrAbsent(host)) return false;
    std::vector<std::string> lines = ReadLines(host);
    int end = 0;
    const int at = FindKey(lines, section, key, &end);
    const std::string entry = std::string(key) + "=" + value;
    if (at >= 0)
        lines[at] = entry;
    else if (end >= 0)
        lines.insert(lines.begin() + end, entry);
    else {
        lines.push_back(std::string("[") + section + "]");
        lines.push_back(entry);
    }
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\r\n";
    ++writes;
    return static_cast<bool>(out);
}

void FakeProcess::Set(std::vector<std::string> arguments) {
    m_arguments = std::move(arguments);
    m_pointers.clear();
    for (std::string& argument : m_arguments) m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);  // argv[argc], as the C runtime leaves it
}

std::uint32_t FakeProcess::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    if (modulePath.size() >= size) {
        modulePath.copy(buffer, size);
        return size;
    }
    modulePath.copy(buffer, modulePath.size());
    buffer[modulePath.size()] = '\0';
    return static_cast<std::uint32_t>(modulePath.size());
}

FakeSystem::FakeSystem()
    : m_previousRegistry(platform::ServiceSlot<platform::IRegistry>()),
      m_previousFiles(platform::ServiceSlot<platform::IFiles>()),
      m_previousProfile(platform::ServiceSlot<platform::IProfile>()),
      m_previousProcess(platform::ServiceSlot<platform::IProcess>()),
      m_previousUser(platform::ServiceSlot<platform::IUser>()),
      m_previousClock(platform::ServiceSlot<platform::IClock>()),
      m_previousVersion(platform::ServiceSlot<platform::IVersion>()) {
    platform::Provide<platform::IRegistry>(&registry);
    platform::Provide<platform::IFiles>(&files);
    platform::Provide<platform::IProfile>(&profile);
    platform::Provide<platform::IProcess>(&process);
    platform::Provide<platform::IUser>(&user);
    platform::Provide<platform::IClock>(&clock);
    platform::Provide<platform::IVersion>(&version);
    process.Set({"C:\\Tools\\nimbrel.exe"});
}

FakeSystem::~FakeSystem() {
    platform::Provide<platform::IRegistry>(m_previousRegistry);
    platform::Provide<platform::IFiles>(m_previousFiles);
    platform::Provide<platform::IProfile>(m_previousProfile);
    platform::Provide<platform::IProcess>(m_previousProcess);
    platform::Provide<platform::IUser>(m_previousUser);
    platform::Provide<platform::IClock>(m_previousClock);
    platform::Provide<platform::IVersion>(m_previousVersion);
}
