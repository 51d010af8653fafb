#include "platform/win32/utf16.h"

#include <windows.h>

#include <climits>

namespace platform {

Utf16 ToUtf16(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return Utf16(std::vector<wchar_t>(1, L'\0'));
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return Utf16(std::move(wide));
}

std::string ToUtf8(const wchar_t* text, std::size_t length) {
    if (length == 0 || length > INT_MAX) return std::string();
    const int size = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace platform
