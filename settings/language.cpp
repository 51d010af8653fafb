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

// The file's text for key; "English" when the file is not in force. A key the file lacks
// gives "y", sets *missing and is added to the file as key=key.
std::string LanguageTexts::LookUp(const char* key, bool* missing) {
    const std::optional<std::string> bytes =
        m_switchedOff ? std::nullopt : platform::Files().ReadFile(m_filePath);
    m_inForce = bytes && !bytes->empty();
    if (!m_inForce) return "English";

    const LanguageFile file(*bytes);
    if (const std::optional<std::string> text = file.Value(key)) return WithLineBreaks(*text);
    *missing = true;
    platform::Files().ReplaceFileContent(m_filePath, file.WithEntry(key, key));
    return kMissing;
}

std::string LanguageTexts::Text(const char* key) {
    bool missing = false;
    return LookUp(key, &missing);
}

std::string LanguageTexts::TextOr(const char* key, const std::string& english) {
    bool missing = false;
    const std::string text = LookUp(key, &missing);
    return m_inForce && !missing ? text : english;
}

void LanguageTexts::ReadSwitch() {
    if (Text("OK") != "nofile") return;
    m_switchedOff = true;
    m_inForce = false;
}
