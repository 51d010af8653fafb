#pragma once

#include <string>

// Text crosses into the system as UTF-16 and comes back as UTF-8. Broken sequences on either
// side become U+FFFD rather than failing the call.
namespace platform {

std::wstring ToUtf16(const std::string& utf8);
std::string ToUtf8(const wchar_t* text, std::size_t length);
std::string ToUtf8(const std::wstring& text);

}  // namespace platform
