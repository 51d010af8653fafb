// The autostart shortcut's name: whatever the language file says, the shortcut lands directly
// in the Startup folder under a safe, non-empty name that no device owns.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>

#include "res/product.h"
#include "settings/autostart_name.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/written_shortcut.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/native/temp_folder.h"

namespace {

constexpr const char* kStartup = "C:\\Users\\me\\Start Menu\\Programs\\Startup\\";
constexpr std::size_t kMaxPath = 260;

// Windows opens a device for these, with or without an extension, in any folder.
bool IsReservedDeviceName(const std::string& fileName) {
    static const std::set<std::string> devices = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    std::string stem = fileName.substr(0, fileName.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return devices.count(stem) != 0;
}

void CheckLinkFile(const std::string& name, const std::string& file) {
    const std::string folder = kStartup;
    Require(file.compare(0, folder.size(), folder) == 0, "the shortcut is in the Startup folder",
            Shown(file));
    const std::string fileName = file.substr(folder.size());
    Require(fileName == name + ".lnk", "the shortcut's file is its name and .lnk", Shown(file));
    Require(name.find_first_not_of(". ") != std::string::npos, "the name is not empty",
            Shown(name));
    for (const char c : name)
        Require(static_cast<unsigned char>(c) >= 32 &&
                    std::string("\\/:*?\"<>|").find(c) == std::string::npos,
                "the name holds no path and no character a file name cannot", Shown(name));
    Require(!IsReservedDeviceName(fileName), "the name is no device's", Shown(fileName));
}

}  // namespace

// The input is the file "german.lng" beside the program; an empty one counts as absent.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TempFolder folder;
    FakeSystem system;
    std::ofstream(folder.HostPath("german.lng"), std::ios::binary | std::ios::trunc)
        << std::string(data, data + size);
    LanguageTexts texts(folder.WindowsPath("german.lng"));

    texts.ApplyOffSwitch();
    const bool languageFile = texts.InUse();
    const std::string name = AutostartLinkName(texts);
    const std::string file = StartupLinkFile(kStartup, name);
    if (!languageFile)
        Require(name == kProductName, "without a language file the name is the product's");
    CheckLinkFile(name, file);
    // A name that fits a path is remembered as written, so a later removal finds this very file
    // even when the language file has renamed it meanwhile.
    const std::string fileName = file.substr(std::strlen(kStartup));
    if (file.size() < kMaxPath) {
        RememberWrittenShortcut(fileName);
        Require(ReadWrittenShortcut() == fileName, "the shortcut removed later is the one created",
                Shown(fileName));
    }

    Require(StartupLinkFile("", name).empty(),
            "without a Startup folder there is no shortcut file");
    return 0;
}
