#include "platform/text_length.h"

namespace {

// The bytes of the character that starts at `at` and how many UTF-16 units it takes; a byte
// that starts no valid sequence is one character, as it becomes one replacement character.
std::size_t CharacterBytes(const std::string& text, std::size_t at, std::size_t* units) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC2   ? 1
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 1;
    *units = length == 4 ? 2 : 1;
    if (length == 1 || at + length > text.size()) {
        *units = 1;
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
            *units = 1;
            return 1;
        }
    return length;
}

}  // namespace

std::size_t Utf16Length(const std::string& utf8) {
    std::size_t total = 0;
    for (std::size_t at = 0, units = 0; at < utf8.size(); total += units)
        at += CharacterBytes(utf8, at, &units);
    return total;
}

std::string CutToUtf16Length(const std::string& utf8, std::size_t units) {
    std::size_t at = 0;
    for (std::size_t total = 0, next = 0; at < utf8.size(); total += next) {
        const std::size_t bytes = CharacterBytes(utf8, at, &next);
        if (total + next > units) break;
        at += bytes;
    }
    return utf8.substr(0, at);
}
