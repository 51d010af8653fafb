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

std::uint64_t Win32Clock::GetTickCount64() {
    return ::GetTickCount64();
}

}  // namespace platform
