#include "tests/doubles/fake_system.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <filesystem>
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

std::optional<std::string> FakeFiles::ReadFile(const std::string& path) {
    calls.push_back("ReadFile " + path);
    if (lockedPaths.count(path)) return std::nullopt;
    std::ifstream in(HostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FakeFiles::ReplaceFileContent(const std::string& path, const std::string& bytes) {
    calls.push_back("ReplaceFileContent " + path);
    const std::string host = HostPath(path);
    if (lockedPaths.count(path) || !WritableOrAbsent(host) || !std::ifstream(host)) return false;
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << bytes;
    ++replacements;
    return static_cast<bool>(out);
}

bool FakeFiles::AppendToLog(const std::string& path, const std::string& bytes) {
    calls.push_back("AppendToLog " + path);
    const std::string host = HostPath(path);
    if (lockedPaths.count(path) || !WritableOrAbsent(host)) return false;
    std::ofstream out(host, std::ios::binary | std::ios::app);
    out << bytes;
    return static_cast<bool>(out);
}

platform::FileWrite FakeFiles::AppendToFile(const std::string& path, const std::string& bytes) {
    if (lockedPaths.count(path)) return platform::FileWrite::kLocked;
    return AppendToLog(path, bytes) ? platform::FileWrite::kDone : platform::FileWrite::kFailed;
}

bool FakeFiles::WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::string host = HostPath(path);
    if (lockedPaths.count(path) || !WritableOrAbsent(host)) return false;
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

std::optional<std::uint64_t> FakeFiles::FileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(HostPath(path), error);
    return error ? std::nullopt : std::optional<std::uint64_t>(size);
}

platform::FileWrite FakeFiles::MoveReplacing(const std::string& from, const std::string& to) {
    if (lockedPaths.count(from) || lockedPaths.count(to)) return platform::FileWrite::kLocked;
    return std::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0
               ? platform::FileWrite::kDone
               : platform::FileWrite::kFailed;
}

bool FakeFiles::MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directory(HostPath(path), error);
    return std::filesystem::is_directory(HostPath(path), error);
}

bool FakeFiles::RemoveFile(const std::string& path) {
    calls.push_back("RemoveFile " + path);
    return std::remove(HostPath(path).c_str()) == 0;
}

std::string FakeFiles::StartupFolder(bool create) {
    calls.push_back(create ? "StartupFolder create" : "StartupFolder");
    return startupFolder;
}

platform::ZonedTime FakeClock::LocalTimeAt(std::int64_t seconds) {
    const std::time_t shifted = static_cast<std::time_t>(seconds + offsetMinutes * 60);
    std::tm t{};
    gmtime_r(&shifted, &t);
    return {{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec},
            offsetMinutes};
}

std::string FakeCodePage::AnsiToUtf8(const std::string& ansi) {
    // 0x80-0x9F where windows-1252 differs from Latin-1; 0 where it has no character.
    static const char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string text;
    for (const char byte : ansi) {
        const auto b = static_cast<unsigned char>(byte);
        char16_t c = b;
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0) c = kHigh[b - 0x80];
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

void FakeProcess::Set(std::vector<std::string> arguments) {
    m_arguments = std::move(arguments);
    m_pointers.clear();
    for (std::string& argument : m_arguments) m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);  // argv[argc], as the C runtime leaves it
}

FakeSystem::FakeSystem()
    : m_previousRegistry(platform::ServiceSlot<platform::IRegistry>()),
      m_previousFiles(platform::ServiceSlot<platform::IFiles>()),
      m_previousCodePage(platform::ServiceSlot<platform::ICodePage>()),
      m_previousProcess(platform::ServiceSlot<platform::IProcess>()),
      m_previousUser(platform::ServiceSlot<platform::IUser>()),
      m_previousClock(platform::ServiceSlot<platform::IClock>()),
      m_previousVersion(platform::ServiceSlot<platform::IVersion>()) {
    platform::Provide<platform::IRegistry>(&registry);
    platform::Provide<platform::IFiles>(&files);
    platform::Provide<platform::ICodePage>(&codePage);
    platform::Provide<platform::IProcess>(&process);
    platform::Provide<platform::IUser>(&user);
    platform::Provide<platform::IClock>(&clock);
    platform::Provide<platform::IVersion>(&version);
    process.Set({"C:\\Tools\\nimbrel.exe"});
}

FakeSystem::~FakeSystem() {
    platform::Provide<platform::IRegistry>(m_previousRegistry);
    platform::Provide<platform::IFiles>(m_previousFiles);
    platform::Provide<platform::ICodePage>(m_previousCodePage);
    platform::Provide<platform::IProcess>(m_previousProcess);
    platform::Provide<platform::IUser>(m_previousUser);
    platform::Provide<platform::IClock>(m_previousClock);
    platform::Provide<platform::IVersion>(m_previousVersion);
}
