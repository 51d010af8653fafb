#include "settings/language.h"

#include <utility>

#include "settings/bounded_copy.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

constexpr const char* kMissing = "y";

}  // namespace

LanguageTexts::LanguageTexts(std::string filePath) : m_filePath(std::move(filePath)) {}

// The file's text for key; "English" when the file is not in force. A key the file lacks
// gives "y", sets *missing and is added to the file as key=key.
std::string LanguageTexts::LookUp(const char* key, bool* missing) {
    const char* path = m_filePath.c_str();
    m_inForce = !m_switchedOff && GetFileSizeByName(path) >= 1;
    if (!m_inForce) return "English";

    char text[kUrlBufferSize];
    const int status = StoreString(0, true, path, key, text, kMissing, STORE_READ);
    if (status == kStoreOneCharacter) {
        // A one-character value is the user's own text; only a key that is truly absent is
        // added. Asking again with a two-character default tells the two apart.
        char probe[kUrlBufferSize];
        if (StoreString(0, true, path, key, probe, "??", STORE_READ) == kStoreOk &&
            std::string(probe) == "??") {
            *missing = true;
            char name[kUrlBufferSize];
            CopyBounded(name, sizeof name, key);
            StoreString(0, true, path, key, name, "", STORE_WRITE);
        }
    }
    return text;
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
