#include "settings/written_shortcut.h"

#include <algorithm>
#include <cctype>

#include "platform/reg_key.h"
#include "res/product.h"
#include "settings/autostart_name.h"
#include "settings/bounded_copy.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

constexpr const char* kValueName = "AutostartShortcut";
constexpr const char* kExtension = ".lnk";
constexpr std::size_t kLongestFileName = 255;

bool EndsWithExtension(const std::string& name) {
    const std::string extension = kExtension;
    if (name.size() <= extension.size()) return false;
    const std::size_t start = name.size() - extension.size();
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[start + i])) != extension[i]) return false;
    return true;
}

}  // namespace

bool IsStartupLinkName(const std::string& name) {
    return name.size() <= kLongestFileName && EndsWithExtension(name) &&
           std::all_of(name.begin(), name.end(), IsFileNameCharacter);
}

std::string ReadWrittenShortcut() {
    platform::RegKey key;
    if (key.Open(platform::kCurrentUser, kSettingsKeyPath, platform::kKeyRead) !=
        platform::kErrorSuccess)
        return "";
    char name[kUrlBufferSize];
    StoreString(key.get(), false, nullptr, kValueName, name, "", STORE_READ);
    return IsStartupLinkName(name) ? name : "";
}

void RememberWrittenShortcut(const std::string& fileName) {
    platform::RegKey key;
    if (key.Create(platform::kCurrentUser, kSettingsKeyPath, platform::kKeySetValue) !=
        platform::kErrorSuccess)
        return;
    char name[kUrlBufferSize];
    CopyBounded(name, sizeof name, fileName.c_str());
    StoreString(key.get(), false, nullptr, kValueName, name, "", STORE_WRITE);
}

void ForgetWrittenShortcut() {
    platform::RegKey key;
    if (key.Open(platform::kCurrentUser, kSettingsKeyPath, platform::kKeySetValue) ==
        platform::kErrorSuccess)
        platform::Registry().DeleteValue(key.get(), kValueName);
}
