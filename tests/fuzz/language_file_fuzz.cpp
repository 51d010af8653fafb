// The language file: every key the program asks for is looked up in any file, a missing key is
// appended as key=key, and a user's own value is never overwritten or lost: the file's lines
// survive in order. The file is a real file on disk, read and written by the profile double.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/folders.h"
#include "settings/language.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"
#include "tests/native/temp_folder.h"

namespace {

// Keys the program asks for, one of each kind: the start-up switch, a tab, a lamp, the
// shortcut's name, a long help text and keys with a hyphen, an underscore and lower case.
const char* const kKeys[] = {"OK",
                             "TabFront",
                             "Led1",
                             "AutostartLink",
                             "IDC_REDIAL",
                             "AUTOSTART-HELP",
                             "about_bt_check_update",
                             "urltitle"};

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The key's value as the profile functions give it, or false when the section lacks the key.
bool ValueInFile(FakeProfile& profile, const std::string& path, const char* key,
                 std::string* value) {
    char first[400];
    char second[400];
    const auto n =
        profile.GetPrivateProfileStringA("SETTINGS", key, "\x01", first, 400, path.c_str());
    profile.GetPrivateProfileStringA("SETTINGS", key, "\x02", second, 400, path.c_str());
    if (std::string(first) == "\x01" && std::string(second) == "\x02") return false;
    *value = std::string(first, n);
    return true;
}

// What a page shows for a stored value: at most 298 characters, the line-break marker decoded.
std::string Shown298(std::string value) {
    value = value.substr(0, 298);
    value = value.substr(0, value.find('\0'));
    std::string shown;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value.compare(i, 4, "AK:>") == 0) {
            shown += '\n';
            i += 3;
        } else {
            shown += value[i];
        }
    }
    std::string result;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown.compare(i, 5, "<:BRE") == 0) {
            result += '\r';
            i += 4;
        } else {
            result += shown[i];
        }
    }
    return result;
}

bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    std::size_t at = 0;
    for (const std::string& line : whole)
        if (at < part.size() && line == part[at]) ++at;
    return at == part.size();
}

void CheckAbsentFile(LanguageTexts& texts, const TempFolder& folder, const std::string& original) {
    for (const char* key : kKeys) {
        Require(texts.Text(key) == "English", "an empty file counts as absent");
        Require(!texts.InForce(), "no file, no language in force");
    }
    Require(ReadFile(folder.HostPath("german.lng")) == original, "an empty file stays untouched");
}

struct UserValues {
    std::vector<bool> present;
    std::vector<std::string> values;
};

UserValues ReadUserValues(FakeProfile& profile, const std::string& path) {
    UserValues user;
    for (const char* key : kKeys) {
        std::string value;
        user.present.push_back(ValueInFile(profile, path, key, &value));
        user.values.push_back(value);
    }
    return user;
}

// The start-up's look at "OK" has already appended it when it was missing.
void CheckLookups(LanguageTexts& texts, FakeProfile& profile, const TempFolder& folder,
                  const std::string& path, const UserValues& user, const std::string& original) {
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const std::string text = texts.Text(kKeys[i]);
        Require(texts.InForce(), "a file puts the language in force");
        std::string now;
        const bool found = ValueInFile(profile, path, kKeys[i], &now);
        if (user.present[i]) {
            Require(text == Shown298(user.values[i]), "a present key gives the user's value",
                    std::string(kKeys[i]) + " gave " + Shown(text));
        } else {
            Require(text == (i == 0 ? "OK" : "y"), "a missing key gives y", kKeys[i]);
            Require(found && now == kKeys[i], "a missing key is appended as key=key", kKeys[i]);
        }
    }
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        std::string now;
        if (user.present[i])
            Require(ValueInFile(profile, path, kKeys[i], &now) && now == user.values[i],
                    "a user's value is never overwritten or lost", kKeys[i]);
    }
    const std::vector<std::string> after = SplitLines(ReadFile(folder.HostPath("german.lng")));
    Require(IsSubsequence(SplitLines(original), after), "the file's lines survive, in order");
}

}  // namespace

// The input is the file "german.lng" beside the program.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TempFolder folder;
    FakeSystem system;
    const std::string path = folder.WindowsPath("german.lng");
    LanguageTexts texts(path);
    const std::string original(data, data + size);
    std::ofstream(folder.HostPath("german.lng"), std::ios::binary | std::ios::trunc) << original;

    if (original.empty()) {
        CheckAbsentFile(texts, folder, original);
        return 0;
    }
    const UserValues user = ReadUserValues(system.profile, path);
    texts.ReadSwitch();
    if (user.present[0] && Shown298(user.values[0]) == "nofile") {
        CheckAbsentFile(texts, folder, original);
        return 0;
    }
    CheckLookups(texts, system.profile, folder, path, user, original);
    return 0;
}
