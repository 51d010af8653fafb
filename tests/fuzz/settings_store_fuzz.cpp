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

constexpr int kFirstStartDefault = 1;

struct Switch {
    const char* name;
    bool Settings::*value;
    bool defaultValue;
};
const Switch kSwitches[] = {{"AutoStart", &Settings::autoStart, true},
                            {"Redial", &Settings::redial, false},
                            {"FirstTime", &Settings::firstTime, true}};

bool SameSettings(const Settings& a, const Settings& b) {
    for (const Switch& setting : kSwitches)
        if (a.*setting.value != b.*setting.value) return false;
    return a.firstStart == b.firstStart && a.url == b.url;
}

// Every setting other than it was, so that a read has to bring each one back.
void Scramble(Settings& settings, const char* url) {
    settings.firstStart = 12345;
    for (const Switch& setting : kSwitches) settings.*setting.value = !(settings.*setting.value);
    settings.url = url;
}

bool IsFourByteDword(const FakeRegistry::Value* stored) {
    return stored && stored->type == FakeRegistry::kNumber && stored->bytes.size() == 4;
}

std::uint32_t StoredNumber(const FakeRegistry::Value& stored) {
    std::uint32_t number = 0;
    std::memcpy(&number, stored.bytes.data(), sizeof number);
    return number;
}

void CheckFirstStartRead(const FakeRegistry& registry, const Settings& settings) {
    const FakeRegistry::Value* stored = registry.Find(kKey, "FirstStart");
    if (IsFourByteDword(stored))
        Require(std::memcmp(&settings.firstStart, stored->bytes.data(), 4) == 0,
                "a REG_DWORD is read as it is stored", "FirstStart");
    else
        Require(settings.firstStart == kFirstStartDefault,
                "a missing setting, or one of the wrong type or size, gives its default",
                "FirstStart");
}

void CheckRead(const FakeRegistry& registry, const Settings& settings) {
    CheckFirstStartRead(registry, settings);
    for (const Switch& setting : kSwitches) {
        const FakeRegistry::Value* stored = registry.Find(kKey, setting.name);
        if (!stored)
            Require(settings.*setting.value == setting.defaultValue,
                    "a missing setting gives its default", setting.name);
        if (stored && !IsFourByteDword(stored))
            Require(settings.*setting.value == setting.defaultValue,
                    "a setting stored with the wrong type or size gives its default", setting.name);
        // The program writes a switch only as 0 or 1; any other number counts as damaged.
        if (IsFourByteDword(stored)) {
            const std::uint32_t number = StoredNumber(*stored);
            Require(settings.*setting.value ==
                        (number == 0 || number == 1 ? number == 1 : setting.defaultValue),
                    "a switch reads as stored when 0 or 1, else as its default", setting.name);
        }
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
    const FakeRegistry::Value* first = registry.Find(kKey, "FirstStart");
    Require(
        IsFourByteDword(first) && std::memcmp(first->bytes.data(), &settings.firstStart, 4) == 0,
        "a number setting is written as its REG_DWORD", "FirstStart");
    for (const Switch& setting : kSwitches) {
        const FakeRegistry::Value* stored = registry.Find(kKey, setting.name);
        Require(
            IsFourByteDword(stored) && StoredNumber(*stored) == (settings.*setting.value ? 1u : 0u),
            "a switch is written as a REG_DWORD of 0 or 1", setting.name);
    }
    const FakeRegistry::Value* stored = registry.Find(kKey, "URL1");
    Require(stored &&
                (stored->type == FakeRegistry::kText ||
                 stored->type == FakeRegistry::kExpandableText) &&
                std::string(stored->bytes.begin(), stored->bytes.end()) == settings.url + '\0',
            "the URL is written as terminated text");
}

// The settings page shows Redial as read; the probe must let the system dial when it is
// ticked, and otherwise switch autodial off.
void CheckRedialReadOneWay(const Settings& settings) {
    Require(ProbeTargetFor(settings).suppressAutodial == !settings.redial,
            "the probe suppresses autodial exactly when the page shows Redial unticked",
            settings.redial ? "on" : "off");
}

}  // namespace

// Registry values under the settings key (or any other key named in brackets).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystem system;
    for (const ScriptLine& line : ParseScript(data, size, kKey))
        if (line.isValue) PutValue(system.registry, line);
    Settings settings;
    TransferSettings(settings, Transfer::Read);
    CheckRead(system.registry, settings);
    const Settings read = settings;
    CheckRedialReadOneWay(settings);

    TransferSettings(settings, Transfer::Write);
    CheckWritten(system.registry, read);
    Scramble(settings, "http://scrambled.example/");
    TransferSettings(settings, Transfer::Read);
    Require(SameSettings(settings, read), "a settings write then read gives the same settings");
    return 0;
}
