#include "settings/store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/profile.h"
#include "settings/bounded_copy.h"
#include "settings/settings.h"

namespace {

constexpr const char* kSection = "SETTINGS";
constexpr const char* kLineBreakTail = "AK:>";
constexpr const char* kLineBreakHead = "<:BRE";

void CopyText(char* buffer, const char* text) {
    CopyBounded(buffer, kUrlBufferSize, text);
}

// A REG_SZ may lack its terminator; a text longer than the longest URL is not taken, so
// whatever the URL dialog accepts comes back whole.
bool ReadRegistryText(platform::Key key, const char* valueName, char* buffer) {
    if (key == 0) return false;
    std::uint32_t type = 0;
    std::uint32_t size = kUrlBufferSize;
    if (platform::Registry().QueryValueEx(key, valueName, &type, buffer, &size) !=
        platform::kErrorSuccess)
        return false;
    if (type != platform::kRegSz || size > kUrlBufferSize) return false;
    const std::size_t length = strnlen(buffer, size);
    if (length > static_cast<std::size_t>(kUrlMaxLength)) return false;
    buffer[length] = '\0';
    return true;
}

// Only a REG_DWORD of four bytes is a number this program wrote; anything else is foreign.
bool ReadRegistryDword(platform::Key key, const char* valueName, int& value) {
    if (key == 0) return false;
    std::uint32_t type = 0;
    std::uint32_t stored = 0;
    std::uint32_t size = sizeof stored;
    if (platform::Registry().QueryValueEx(key, valueName, &type, &stored, &size) !=
            platform::kErrorSuccess ||
        type != platform::kRegDword || size != sizeof stored)
        return false;
    std::memcpy(&value, &stored, sizeof value);
    return true;
}

int ReadProfileText(const char* profilePath, const char* valueName, char* buffer,
                    const char* defaultText) {
    const std::uint32_t n = platform::Profile().GetPrivateProfileStringA(
        kSection, valueName, defaultText, buffer, kStoreReadSize, profilePath);
    buffer[n < kStoreReadSize ? n : kStoreReadSize - 1] = '\0';
    std::string text = buffer;
    ReplaceAll(text, kLineBreakTail, "\n");
    ReplaceAll(text, kLineBreakHead, "\r");
    CopyText(buffer, text.c_str());
    if (n == 0) return kStoreEmpty;
    if (n < 2) return kStoreOneCharacter;
    return kStoreOk;
}

}  // namespace

void ReplaceAll(std::string& text, const std::string& pattern, const std::string& replacement) {
    if (pattern.empty()) return;
    for (std::size_t at = text.find(pattern); at != std::string::npos;
         at = text.find(pattern, at + replacement.size()))
        text.replace(at, pattern.size(), replacement);
}

int StoreString(platform::Key key, bool profileMode, const char* profilePath, const char* valueName,
                char* buffer, const char* defaultText, int direction) {
    if (direction == STORE_WRITE) {
        if (profileMode)
            return platform::Profile().WritePrivateProfileStringA(kSection, valueName, buffer,
                                                                  profilePath)
                       ? kStoreOk
                       : kStoreWriteFailed;
        if (key != 0)
            platform::Registry().SetValueEx(key, valueName, platform::kRegSz, buffer,
                                            static_cast<std::uint32_t>(std::strlen(buffer) + 1));
        return kStoreOk;
    }
    if (profileMode) return ReadProfileText(profilePath, valueName, buffer, defaultText);
    if (!ReadRegistryText(key, valueName, buffer)) CopyText(buffer, defaultText);
    return kStoreOk;
}

int StoreDword(platform::Key key, bool profileMode, const char* profilePath, const char* valueName,
               int& value, int defaultValue, int direction) {
    if (profileMode) {
        char buffer[kUrlBufferSize];
        char defaultText[16];
        CopyBounded(buffer, sizeof buffer, std::to_string(value).c_str());
        CopyBounded(defaultText, sizeof defaultText, std::to_string(defaultValue).c_str());
        StoreString(key, true, profilePath, valueName, buffer, defaultText, direction);
        const long number = std::strtol(buffer, nullptr, 10);
        value = number > INT32_MAX   ? INT32_MAX
                : number < INT32_MIN ? INT32_MIN
                                     : static_cast<int>(number);
        return 0;
    }
    if (direction == STORE_WRITE) {
        if (key != 0)
            platform::Registry().SetValueEx(key, valueName, platform::kRegDword, &value,
                                            sizeof value);
        return 0;
    }
    if (!ReadRegistryDword(key, valueName, value)) value = defaultValue;
    return 0;
}
