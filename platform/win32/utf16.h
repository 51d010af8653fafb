#pragma once

#include <string>
#include <vector>

// Text crosses into the system as UTF-16 and comes back as UTF-8. Broken sequences on either
// side become U+FFFD rather than failing the call.
namespace platform {

// A terminated UTF-16 text for one wide call. A vector rather than std::wstring: the runtime's
// wide string would link all its members, some 30 KB.
class Utf16 {
  public:
    explicit Utf16(std::vector<wchar_t> text) : m_text(std::move(text)) {}
    const wchar_t* c_str() const { return m_text.data(); }
    wchar_t* data() { return m_text.data(); }
    std::size_t size() const { return m_text.size() - 1; }

  private:
    std::vector<wchar_t> m_text;  // ends with its terminator
};

Utf16 ToUtf16(const std::string& utf8);
std::string ToUtf8(const wchar_t* text, std::size_t length);

}  // namespace platform
