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
std::optional<std::string> LanguageTexts::ReadInUse() const {
    if (m_switchedOff) return std::nullopt;
    std::optional<std::string> bytes = platform::Files().ReadFile(m_filePath);
    if (bytes && bytes->empty()) return std::nullopt;
    return bytes;
}

void LanguageTexts::Refresh() {
    std::optional<std::string> bytes = ReadInUse();
    if (bytes)
        m_file.emplace(std::move(*bytes));
    else
        m_file.reset();
}

// The latest reading answers for the keys it holds, so a page with all its texts in the file
// reads nothing more.
void LanguageTexts::AddMissing(const std::vector<const char*>& keys) {
    for (const char* key : keys) {
        if (m_file && m_file->Value(key)) continue;
        if (!AddToFile(key)) return;
    }
}

bool LanguageTexts::AddToFile(const char* key) {
    const std::optional<std::string> bytes = ReadInUse();
    if (!bytes) return false;
    LanguageFile file(*bytes);
    if (!file.Value(key)) {
        std::string written = file.WithEntry(key, key);
        if (!platform::Files().ReplaceFileContent(m_filePath, written)) return true;
        file = LanguageFile(std::move(written));
    }
    // What is on disk now is the reading the texts come from.
    if (m_file) m_file = std::move(file);
    return true;
}

std::string LanguageTexts::Find(const char* key, const std::string& absent,
                                const std::string& missing) const {
    if (!m_file) return absent;
    const std::optional<std::string> text = m_file->Value(key);
    return text ? WithLineBreaks(*text) : missing;
}

std::string LanguageTexts::Text(const char* key) const {
    return Find(key, "English", kMissing);
}

std::string LanguageTexts::TextOr(const char* key, const std::string& english) const {
    return Find(key, english, english);
}

std::vector<std::string> LanguageTexts::Take(const std::vector<const char*>& keys) {
    if (!InUse()) return {};
    Refresh();
    std::vector<std::string> texts;
    for (const char* key : keys) texts.push_back(Text(key));
    AddMissing(keys);
    return texts;
}

void LanguageTexts::ApplyOffSwitch() {
    Refresh();
    const bool off = Text("OK") == "nofile";
    AddMissing({"OK"});
    if (!off) return;
    m_switchedOff = true;
    m_file.reset();
}
