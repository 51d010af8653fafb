#include "settings/written_shortcut.h"

#include <algorithm>
#include <cctype>

#include "platform/reg_key.h"
#include "res/product.h"
#include "settings/autostart_name.h"

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
    const platform::RegKey key(platform::Root::kCurrentUser, kSettingsKeyPath,
                               platform::KeyAccess::kRead);
    if (!key) return "";
    const std::string name = platform::Registry().ReadText(key.get(), kValueName).value_or("");
    return IsStartupLinkName(name) ? name : "";
}

void RememberWrittenShortcut(const std::string& fileName) {
    const platform::RegKey key(platform::Root::kCurrentUser, kSettingsKeyPath,
                               platform::KeyAccess::kCreate);
    if (key) platform::Registry().WriteText(key.get(), kValueName, fileName);
}

void ForgetWrittenShortcut() {
    const platform::RegKey key(platform::Root::kCurrentUser, kSettingsKeyPath,
                               platform::KeyAccess::kChange);
    if (key) platform::Registry().DeleteValue(key.get(), kValueName);
}
