// The settings store: registry values of any type and size are read without harm, a settings
// write followed by a read gives the same settings, and what is written has the right type.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/probe_target.h"
#include "platform/text_length.h"
#include "settings/settings.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"

namespace {

constexpr const char* kKey = "HKCU\\SOFTWARE\\QUADDLE\\nimbrel2";

struct Setting {
    const char* name;
    int Settings::*value;
    int defaultValue;
};
const Setting kSwitches[] = {{"FirstStart", &Settings::firstStart, 1},
                             {"AutoStart", &Settings::autoStart, 1},
                             {"Redial", &Settings::redial, 0},
                             {"FirstTime", &Settings::firstTime, 1}};

bool SameSettings(const Settings& a, const Settings& b) {
    for (const Setting& setting : kSwitches)
        if (a.*setting.value != b.*setting.value) return false;
    return a.url == b.url;
}

void SetAll(Settings& settings, int number, const char* url) {
    for (const Setting& setting : kSwitches) settings.*setting.value = number;
    settings.url = url;
}

bool IsFourByteDword(const FakeRegistry::Value* stored) {
    return stored && stored->type == FakeRegistry::kNumber && stored->bytes.size() == 4;
}

void CheckRead(const FakeRegistry& registry, const Settings& settings) {
    for (const Setting& setting : kSwitches) {
        const FakeRegistry::Value* stored = registry.Find(kKey, setting.name);
        if (!stored)
            Require(settings.*setting.value == setting.defaultValue,
                    "a missing setting gives its default", setting.name);
        // Only FirstStart is a plain number; what a switch outside 0 and 1 reads as is the
        // switches' check.
        if (IsFourByteDword(stored) && setting.value == &Settings::firstStart)
            Require(std::memcmp(&(settings.*setting.value), stored->bytes.data(), 4) == 0,
                    "a REG_DWORD is read as it is stored", setting.name);
        if (stored && !IsFourByteDword(stored))
            Require(settings.*setting.value == setting.defaultValue,
                    "a setting stored with the wrong type or size gives its default", setting.name);
    }
    const FakeRegistry::Value* stored = registry.Find(kKey, "URL1");
    const std::string& url = settings.url;
    const std::string storedText =
        stored ? std::string(stored->bytes.begin(), stored->bytes.end()) : std::string();
    Require(url == kDefaultUrl || (stored && url == storedText.substr(0, storedText.find('\0'))),
            "the URL read is the default or the stored text", Shown(url));
    const bool text = stored && (stored->type == FakeRegistry::kText ||
                                 stored->type == FakeRegistry::kExpandableText);
    if (stored && !text)
        Require(url == kDefaultUrl, "a URL stored with the wrong type gives the default");
    if (text && Utf16Length(storedText.substr(0, storedText.find('\0'))) <= kUrlMaxLength)
        Require(url == storedText.substr(0, storedText.find('\0')),
                "a URL of either string type is read as stored", Shown(url));
}

void CheckWritten(const FakeRegistry& registry, const Settings& settings) {
    for (int i = 0; i < 4; ++i) {
        const FakeRegistry::Value* stored = registry.Find(kKey, kSwitches[i].name);
        Require(IsFourByteDword(stored) &&
                    std::memcmp(stored->bytes.data(), &(settings.*kSwitches[i].value), 4) == 0,
                "a number setting is written as its REG_DWORD", kSwitches[i].name);
    }
    const FakeRegistry::Value* stored = registry.Find(kKey, "URL1");
    Require(stored &&
                (stored->type == FakeRegistry::kText ||
                 stored->type == FakeRegistry::kExpandableText) &&
                std::string(stored->bytes.begin(), stored->bytes.end()) == settings.url + '\0',
            "the URL is written as terminated text");
}

// The settings page shows Redial ticked for any value but 0 (app/main_sheet.cpp); the probe
// must then let the system dial, and otherwise switch autodial off.
void CheckRedialReadOneWay(const Settings& settings) {
    Require(ProbeTargetFor(settings).suppressAutodial == (settings.redial == 0),
            "the probe suppresses autodial exactly when the page shows Redial unticked",
            std::to_string(settings.redial));
}

}  // namespace

// Registry values under the settings key (or any other key named in brackets).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystem system;
    for (const ScriptLine& line : ParseScript(data, size, kKey))
        if (line.isValue) PutValue(system.registry, line);
    Settings settings;
    TransferSettings(settings, STORE_READ);
    CheckRead(system.registry, settings);
    const Settings read = settings;
    CheckRedialReadOneWay(settings);

    TransferSettings(settings, STORE_WRITE);
    CheckWritten(system.registry, read);
    SetAll(settings, 12345, "http://scrambled.example/");
    TransferSettings(settings, STORE_READ);
    Require(SameSettings(settings, read), "a settings write then read gives the same settings");
    return 0;
}
