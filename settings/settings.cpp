#include "settings/settings.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "platform/reg_key.h"
#include "platform/text_length.h"
#include "res/product.h"

namespace {

constexpr const char* kUserAgentKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
constexpr const char* kUserAgentValue = "Quaddle-K-A";

// Only a four-byte number is one this program wrote; anything else is foreign.
void TransferNumber(platform::Key key, const char* valueName, int& value, int defaultValue,
                    Transfer direction) {
    if (direction == Transfer::Write) {
        std::uint32_t stored = 0;
        std::memcpy(&stored, &value, sizeof stored);
        if (key != 0) platform::Registry().WriteNumber(key, valueName, stored);
        return;
    }
    const std::optional<std::uint32_t> stored =
        key != 0 ? platform::Registry().ReadNumber(key, valueName) : std::nullopt;
    if (stored)
        std::memcpy(&value, &*stored, sizeof value);
    else
        value = defaultValue;
}

// The program writes a switch only as 0 or 1. Any other number was not chosen here, so it
// counts as damaged like a value of the wrong type, and every reader sees the same default
// (for Redial: off, so no dialling the user did not clearly allow).
void TransferSwitch(platform::Key key, const char* valueName, bool& value, bool defaultValue,
                    Transfer direction) {
    if (direction == Transfer::Write) {
        if (key != 0) platform::Registry().WriteNumber(key, valueName, value ? 1 : 0);
        return;
    }
    constexpr std::uint32_t kMissing = 2;  // read like any other number but 0 and 1
    const std::uint32_t stored =
        key != 0 ? platform::Registry().ReadNumber(key, valueName).value_or(kMissing) : kMissing;
    value = stored == 0 || stored == 1 ? stored == 1 : defaultValue;
}

// The URL as stored, plain or expandable text alike and never expanded: an admin tool may
// write it either way. A text longer than the longest URL is not taken, so whatever the URL
// dialog accepts comes back whole.
std::string ReadUrl(platform::Key key) {
    if (key == 0) return kDefaultUrl;
    const std::optional<std::string> url = platform::Registry().ReadText(key, "URL1");
    if (!url || Utf16Length(*url) > static_cast<std::size_t>(kUrlMaxLength)) return kDefaultUrl;
    return *url;
}

}  // namespace

void TransferSettings(Settings& settings, Transfer direction) {
    platform::RegKey key;
    // A first run makes the key, as it always has; reading asks for no more than reading.
    if (direction == Transfer::Write ||
        key.Open(platform::Root::kCurrentUser, kSettingsKeyPath, platform::KeyAccess::kRead) ==
            platform::KeyOpening::kMissing)
        key.Open(platform::Root::kCurrentUser, kSettingsKeyPath, platform::KeyAccess::kCreate);
    TransferNumber(key.get(), "FirstStart", settings.firstStart, 1, direction);
    TransferSwitch(key.get(), "AutoStart", settings.autoStart, 1, direction);
    TransferSwitch(key.get(), "Redial", settings.redial, 0, direction);
    TransferSwitch(key.get(), "FirstTime", settings.firstTime, 1, direction);
    if (direction == Transfer::Write) {
        if (key) platform::Registry().WriteText(key.get(), "URL1", settings.url);
    } else {
        settings.url = ReadUrl(key.get());
    }
    settings.savedUrl = settings.url;
}

void DeleteSettingsKey() {
    const platform::RegKey maker(platform::Root::kCurrentUser, kMakerKey,
                                 platform::KeyAccess::kChange);
    if (maker) platform::Registry().DeleteSubKey(maker.get(), kProductKey);
}

void RegisterUserAgentToken() {
    const platform::RegKey key(platform::Root::kLocalMachine, kUserAgentKey,
                               platform::KeyAccess::kCreate);
    if (key) platform::Registry().WriteText(key.get(), kUserAgentValue, "");
}
