#include "settings/settings.h"

#include <string>

#include "platform/reg_key.h"
#include "res/product.h"
#include "settings/bounded_copy.h"
#include "settings/store.h"

namespace {

constexpr const char* kUserAgentKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
constexpr const char* kUserAgentValue = "Quaddle-K-A";

// The program writes a switch only as 0 or 1. Any other number was not chosen here, so it
// counts as damaged like a value of the wrong type, and every reader sees the same default
// (for Redial: off, so no dialling the user did not clearly allow).
void StoreSwitch(platform::Key key, const char* valueName, int& value, int defaultValue,
                 int direction) {
    StoreDword(key, false, nullptr, valueName, value, defaultValue, direction);
    if (direction == STORE_READ && value != 0 && value != 1) value = defaultValue;
}

}  // namespace

int TransferSettings(Settings& settings, int direction) {
    platform::RegKey key;
    key.Create(platform::kCurrentUser, kSettingsKeyPath,
               direction == STORE_WRITE ? platform::kKeySetValue : platform::kKeyRead);
    StoreDword(key.get(), false, nullptr, "FirstStart", settings.firstStart, 1, direction);
    StoreSwitch(key.get(), "AutoStart", settings.autoStart, 1, direction);
    StoreSwitch(key.get(), "Redial", settings.redial, 0, direction);
    StoreSwitch(key.get(), "FirstTime", settings.firstTime, 1, direction);
    char url[kUrlBufferSize];
    CopyBounded(url, sizeof url, settings.url.c_str());
    StoreString(key.get(), false, nullptr, "URL1", url, kDefaultUrl, direction);
    settings.url = settings.savedUrl = url;
    key.Close();
    RegisterUserAgentToken();
    return 1;
}

void DeleteSettingsKey() {
    platform::RegKey maker;
    if (maker.Create(platform::kCurrentUser, kMakerKey, platform::kKeyWrite) ==
        platform::kErrorSuccess)
        platform::Registry().DeleteKey(maker.get(), kProductKey);
}

void RegisterUserAgentToken() {
    platform::RegKey key;
    if (key.Create(platform::kLocalMachine, kUserAgentKey, platform::kKeySetValue) !=
        platform::kErrorSuccess)
        return;
    char empty[kUrlBufferSize] = "";
    StoreString(key.get(), false, nullptr, kUserAgentValue, empty, "", STORE_WRITE);
}
