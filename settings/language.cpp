#include "settings/language.h"

#include "settings/bounded_copy.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "settings/store.h"

int g_bLanguageFile = 0;
int g_bGermanEdition = 0;
int g_bLanguageFileOff = 0;

namespace {

constexpr const char* kMissing = "y";

std::string LanguageFilePath() {
    return std::string(g_szProgramDir) + "german.lng";
}

// The file's text for key; "English" when the file is not in force. A key the file lacks
// gives "y", sets *missing and is added to the file as key=key.
std::string LookUp(const char* key, bool* missing) {
    const std::string path = LanguageFilePath();
    const bool present = !g_bLanguageFileOff && GetFileSizeByName(path.c_str()) >= 1;
    g_bLanguageFile = g_bGermanEdition = present ? 1 : 0;
    if (!present) return "English";

    char text[kUrlBufferSize];
    const int status = StoreString(0, true, path.c_str(), key, text, kMissing, STORE_READ);
    if (status == kStoreOneCharacter) {
        // A one-character value is the user's own text; only a key that is truly absent is
        // added. Asking again with a two-character default tells the two apart.
        char probe[kUrlBufferSize];
        if (StoreString(0, true, path.c_str(), key, probe, "??", STORE_READ) == kStoreOk &&
            std::string(probe) == "??") {
            *missing = true;
            char name[kUrlBufferSize];
            CopyBounded(name, sizeof name, key);
            StoreString(0, true, path.c_str(), key, name, "", STORE_WRITE);
        }
    }
    return text;
}

}  // namespace

std::string GetLanguageText(const char* key) {
    bool missing = false;
    return LookUp(key, &missing);
}

std::string GetLanguageTextOr(const char* key, const std::string& english) {
    bool missing = false;
    const std::string text = LookUp(key, &missing);
    return g_bLanguageFile && !missing ? text : english;
}

void ReadLanguageSwitch() {
    if (GetLanguageText("OK") != "nofile") return;
    g_bLanguageFileOff = 1;
    g_bLanguageFile = g_bGermanEdition = 0;
}
