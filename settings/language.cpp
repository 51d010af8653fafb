#include "settings/language.h"

#include <optional>
#include <utility>

#include "platform/files.h"
#include "settings/language_file.h"

namespace {

constexpr const char* kMissing = "y";

void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement) {
    for (std::size_t at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at + replacement.size()))
        text.replace(at, pattern.size(), replacement);
}

// "<:BREAK:>" in a text is a line break: its tail and its head are replaced one after the other.
std::string WithLineBreaks(std::string text) {
    ReplaceAll(text, "AK:>", "\n");
    ReplaceAll(text, "<:BRE", "\r");
    return text;
}

}  // namespace

LanguageTexts::LanguageTexts(std::string filePath) : m_filePath(std::move(filePath)) {}

// A file that cannot be read, an empty one and one switched off at start-up all count as absent.
std::optional<std::string> LanguageTexts::ReadInForce() const {
    if (m_switchedOff) return std::nullopt;
    std::optional<std::string> bytes = platform::Files().ReadFile(m_filePath);
    if (bytes && bytes->empty()) return std::nullopt;
    return bytes;
}

void LanguageTexts::Refresh() {
    m_inForce = ReadInForce().has_value();
}

// Each key is looked for in the file as it is on disk now: a write that failed (a read-only
// file) is tried again the next time, and one that worked is never repeated.
void LanguageTexts::AddMissing(std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const std::optional<std::string> bytes = ReadInForce();
        if (!bytes) return;
        const LanguageFile file(*bytes);
        if (!file.Value(key))
            platform::Files().ReplaceFileContent(m_filePath, file.WithEntry(key, key));
    }
}

std::string LanguageTexts::Find(const char* key, const std::string& absent,
                                const std::string& missing) const {
    const std::optional<std::string> bytes = ReadInForce();
    if (!bytes) return absent;
    const std::optional<std::string> text = LanguageFile(*bytes).Value(key);
    return text ? WithLineBreaks(*text) : missing;
}

std::string LanguageTexts::Text(const char* key) const {
    return Find(key, "English", kMissing);
}

std::string LanguageTexts::TextOr(const char* key, const std::string& english) const {
    return Find(key, english, english);
}

void LanguageTexts::ApplyOffSwitch() {
    Refresh();
    const bool off = Text("OK") == "nofile";
    AddMissing({"OK"});
    if (!off) return;
    m_switchedOff = true;
    m_inForce = false;
}
