#include "keepalive/autodial_record.h"

#include <string>

#include "platform/reg_key.h"
#include "res/product.h"

namespace {

constexpr const char* kMarker = "AutodialSwitchedOff";
constexpr std::uint32_t kHolds = 1;

std::string CopyName(const char* name) {
    return std::string("Saved ") + name;
}

bool MarkerHolds(platform::Key key) {
    return platform::Registry().ReadNumber(key, kMarker) == kHolds;
}

}  // namespace

// The marker goes last: copies without it are left-overs of an unfinished save.
bool SaveAutodialRecord(const std::vector<const char*>& names,
                        const std::vector<RegistryValue>& values) {
    const platform::RegKey key(platform::Root::kCurrentUser, kSettingsKeyPath,
                               platform::KeyAccess::kCreate);
    if (!key || !platform::Registry().DeleteValue(key.get(), kMarker)) return false;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!WriteRegistryValue(key.get(), CopyName(names[i]).c_str(), values[i])) return false;
    return platform::Registry().WriteNumber(key.get(), kMarker, kHolds);
}

bool LoadAutodialRecord(const std::vector<const char*>& names, std::vector<RegistryValue>* values) {
    const platform::RegKey key(platform::Root::kCurrentUser, kSettingsKeyPath,
                               platform::KeyAccess::kRead);
    if (!key || !MarkerHolds(key.get())) return false;
    std::vector<RegistryValue> saved(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!ReadRegistryValue(key.get(), CopyName(names[i]).c_str(), &saved[i])) return false;
    *values = std::move(saved);
    return true;
}

// The marker goes first: copies left without it are never taken for the user's values.
void ClearAutodialRecord(const std::vector<const char*>& names) {
    const platform::RegKey key(platform::Root::kCurrentUser, kSettingsKeyPath,
                               platform::KeyAccess::kChange);
    if (!key) return;
    platform::Registry().DeleteValue(key.get(), kMarker);
    for (const char* name : names)
        platform::Registry().DeleteValue(key.get(), CopyName(name).c_str());
}
