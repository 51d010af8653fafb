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

}  // namespace

std::string GetLanguageText(const char* key) {
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
            char name[kUrlBufferSize];
            CopyBounded(name, sizeof name, key);
            StoreString(0, true, path.c_str(), key, name, "", STORE_WRITE);
        }
    }
    return text;
}

void ReadLanguageSwitch() {
    if (GetLanguageText("OK") != "nofile") return;
    g_bLanguageFileOff = 1;
    g_bLanguageFile = g_bGermanEdition = 0;
}
