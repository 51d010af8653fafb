#include "settings/language_file.h"

#include <cctype>
#include <cstdint>

#include "platform/code_page.h"

namespace {

constexpr const char* kSection = "SETTINGS";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character of a valid UTF-8 sequence at `at` and its length; nothing for a broken one
// (a stray or missing continuation, an overlong form, a surrogate, beyond U+10FFFF).
std::optional<char32_t> Utf8Character(const std::string& bytes, std::size_t at,
                                      std::size_t* length) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    *length = 1;
    if (lead < 0x80) return lead;
    const std::size_t size = lead >= 0xC2 && lead < 0xE0   ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
    if (size == 0 || at + size > bytes.size()) return std::nullopt;
    char32_t c = lead & (0x7F >> size);
    for (std::size_t i = 1; i < size; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest = size == 2 ? 0x80 : size == 3 ? 0x800 : 0x10000;
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
    *length = size;
    return c;
}

// Valid UTF-8 as it is; each byte of a broken sequence becomes U+FFFD.
std::string CleanUtf8(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0, length = 0; at < bytes.size(); at += length) {
        const std::optional<char32_t> c = Utf8Character(bytes, at, &length);
        if (c)
            text.append(bytes, at, length);
        else
            AppendUtf8(text, kReplacement);
    }
    return text;
}

// UTF-16 code units as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string FromUtf16(const std::vector<char16_t>& units) {
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
        }
    }
    return text;
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

LanguageFile::LanguageFile(std::string bytes) : m_bytes(std::move(bytes)) {
    const auto starts = [this](const char* mark, std::size_t size) {
        return m_bytes.compare(0, size, mark, size) == 0;
    };
    std::size_t textStart = 0;  // just after the byte-order mark
    if (starts("\xEF\xBB\xBF", 3)) {
        m_encoding = Encoding::kUtf8;
        textStart = 3;
    } else if (starts("\xFF\xFE", 2)) {
        m_encoding = Encoding::kUtf16Le;
        textStart = 2;
    } else if (starts("\xFE\xFF", 2)) {
        m_encoding = Encoding::kUtf16Be;
        textStart = 2;
    }
    const bool wide = m_encoding == Encoding::kUtf16Le || m_encoding == Encoding::kUtf16Be;
    const std::size_t unit = wide ? 2 : 1;
    // A last byte that is half a UTF-16 unit belongs to no line.
    const std::size_t end = m_bytes.size() - (m_bytes.size() - textStart) % unit;
    const auto unitAt = [&](std::size_t at) -> char16_t {
        if (!wide) return static_cast<unsigned char>(m_bytes[at]);
        const auto first = static_cast<unsigned char>(m_bytes[at]);
        const auto second = static_cast<unsigned char>(m_bytes[at + 1]);
        return static_cast<char16_t>(m_encoding == Encoding::kUtf16Le ? first | second << 8
                                                                      : first << 8 | second);
    };
    std::size_t start = textStart;
    while (true) {
        std::size_t at = start;
        while (at < end && unitAt(at) != u'\n') at += unit;
        const bool broken = at < end;
        std::size_t stop = at;
        if (stop > start && unitAt(stop - unit) == u'\r') stop -= unit;
        std::string text;
        if (!wide) {
            const std::string raw = m_bytes.substr(start, stop - start);
            text = m_encoding == Encoding::kUtf8 ? CleanUtf8(raw)
                                                 : platform::CodePage().AnsiToUtf8(raw);
        } else {
            std::vector<char16_t> units;
            for (std::size_t i = start; i < stop; i += unit) units.push_back(unitAt(i));
            text = FromUtf16(units);
        }
        m_lines.push_back(Line{std::move(text), broken ? at + unit : at, broken});
        if (!broken) break;
        start = at + unit;
    }
}

std::optional<std::string> LanguageFile::SectionName(const std::string& line) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
    return Trim(trimmed.substr(1, trimmed.find(']') - 1));
}

std::optional<std::string> LanguageFile::Value(const std::string& key) const {
    bool inSection = false;
    for (const Line& line : m_lines) {
        if (const std::optional<std::string> name = SectionName(line.text)) {
            inSection = SameName(*name, kSection);
            continue;
        }
        const std::string trimmed = Trim(line.text);
        if (!inSection || trimmed.empty() || trimmed[0] == ';') continue;
        const std::size_t equals = trimmed.find('=');
        if (!SameName(Trim(trimmed.substr(0, equals)), key)) continue;
        std::string value = equals == std::string::npos ? "" : Trim(trimmed.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::optional<std::size_t> LanguageFile::SectionEnd() const {
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::optional<std::string> name = SectionName(m_lines[i].text);
        if (name && last) break;  // the next section
        if (name && SameName(*name, kSection))
            last = i;
        else if (last && !Trim(m_lines[i].text).empty())
            last = i;
    }
    return last;
}

std::string LanguageFile::Encoded(const std::string& ascii) const {
    if (m_encoding != Encoding::kUtf16Le && m_encoding != Encoding::kUtf16Be) return ascii;
    std::string bytes;
    for (const char c : ascii) {
        if (m_encoding == Encoding::kUtf16Be) bytes += '\0';
        bytes += c;
        if (m_encoding == Encoding::kUtf16Le) bytes += '\0';
    }
    return bytes;
}

std::string LanguageFile::WithEntry(const std::string& key, const std::string& value) const {
    std::string added = key + "=" + value + "\r\n";
    const Line* after = &m_lines.back();
    if (const std::optional<std::size_t> end = SectionEnd())
        after = &m_lines[*end];
    else
        added = "[" + std::string(kSection) + "]\r\n" + added;
    // The text goes on a line of its own.
    if (!after->broken && !after->text.empty()) added.insert(0, "\r\n");
    std::string bytes = m_bytes;
    bytes.insert(after->end, Encoded(added));
    return bytes;
}
