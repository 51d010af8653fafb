#include <windows.h>

#include <ctime>

#include "platform/win32/win32_services.h"

namespace platform {

std::int64_t Win32Clock::Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

LocalTime Win32Clock::GetLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
// Seconds from the file-time epoch (1601) to the calendar-time epoch (1970).
constexpr std::int64_t kEpochDistance = 11644473600;

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

}  // namespace

// The zone's rules for that date decide the offset, so a summer time stays a summer time.
ZonedTime Win32Clock::LocalTimeAt(std::int64_t seconds) {
    const auto ticks = static_cast<std::uint64_t>((seconds + kEpochDistance) * kTicksPerSecond);
    const FILETIME utcFile{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    FILETIME localFile{};
    if (!FileTimeToSystemTime(&utcFile, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
        !SystemTimeToFileTime(&local, &localFile)) {
        local = utc;
        localFile = utcFile;
    }
    const auto offset = (Ticks(localFile) - Ticks(utcFile)) / (kTicksPerSecond * 60);
    return ZonedTime{
        {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond},
        static_cast<int>(offset)};
}

std::uint64_t Win32Clock::GetTickCount64() {
    return ::GetTickCount64();
}

}  // namespace platform
