#pragma once

#include <string>
#include <string_view>

// The window layer's edge: the program's UTF-8 text to and from the UTF-16 of the wide Win32
// calls. A broken sequence becomes U+FFFD rather than ending the text.
std::wstring ToWide(std::string_view utf8);
std::string FromWide(std::wstring_view utf16);
