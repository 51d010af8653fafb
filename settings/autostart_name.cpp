#include "settings/autostart_name.h"

#include <cctype>
#include <cstring>

#include "res/product.h"
#include "settings/translated_text.h"

namespace {

// Windows opens these devices for "CON", "con.lnk" or "COM1 .x" in any folder; the superscript
// digits of the ANSI code page count as digits here.
bool IsDeviceName(const std::string& name) {
    std::string device = name.substr(0, name.find('.'));
    while (!device.empty() && device.back() == ' ') device.pop_back();
    for (char& c : device) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (device == "CON" || device == "PRN" || device == "AUX" || device == "NUL") return true;
    return device.size() == 4 &&
           (device.compare(0, 3, "COM") == 0 || device.compare(0, 3, "LPT") == 0) &&
           device[3] != '\0' && std::strchr("123456789\xB9\xB2\xB3", device[3]) != nullptr;
}

// A language file's text may hold what a file name cannot (a path, a line break, a device's
// name); such a text is changed just enough that the shortcut lands in the Startup folder itself.
std::string FileNameSafe(std::string name) {
    for (char& c : name)
        if (!IsFileNameCharacter(c)) c = '_';
    if (name.find_first_not_of(". ") == std::string::npos) return kProductName;
    if (IsDeviceName(name)) name.insert(0, "_");
    return name;
}

}  // namespace

bool IsFileNameCharacter(char c) {
    return static_cast<unsigned char>(c) >= 32 && std::strchr("\\/:*?\"<>|", c) == nullptr;
}

// A language file that lacks the key gives the English name, never the missing key's "y", and
// so does the placeholder added for it, or the next run would rename the shortcut.
std::string AutostartLinkName(const LanguageTexts& texts) {
    const std::string name = TranslatedText(texts, kAutostartLinkKey, kProductName);
    return name.empty() ? kProductName : FileNameSafe(name);
}

std::string StartupLinkFile(const std::string& startupFolder, const std::string& name) {
    // An unknown Startup folder would put the link beside whatever the current directory is.
    return startupFolder.empty() ? "" : startupFolder + name + ".lnk";
}
