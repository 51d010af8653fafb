#pragma once

#include <string>
#include <string_view>

// The UTF-16 text of the wide Win32 calls. Its own traits keep it apart from the standard
// library's prebuilt std::wstring, which the static link would take in whole (about 20 KB);
// this one brings only the members the program uses.
struct WideTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideTraits>;
using WideView = std::basic_string_view<wchar_t, WideTraits>;

// The program's UTF-8 text to and from the UTF-16 of the wide Win32 calls, for the seam's
// implementation and the window layer alike. A broken sequence on either side becomes U+FFFD
// rather than failing the call; a text too long for the system's int length converts to empty.
WideString ToWide(std::string_view utf8);
std::string FromWide(WideView utf16);

// Text in the system's ANSI code page, as older files hold it, to UTF-16.
WideString AnsiToWide(std::string_view ansi);
