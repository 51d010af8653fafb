// The settings store: registry values of any type and size are read without harm, a settings
// write followed by a read gives the same settings, and what is written has the right type.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/keep_alive_target.h"
#include "keepalive/event_log.h"
#include "keepalive/keep_alive_engine.h"
#include "keepalive/run_state.h"
#include "settings/settings.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"

namespace {

constexpr const char* kKey = "HKCU\\SOFTWARE\\QUADDLE\\nimbrel2";

struct Setting {
    const char* name;
    int* value;
    int defaultValue;
};
const Setting kSwitches[] = {{"FirstStart", &g_iFirstStart, 1},
                             {"AutoStart", &g_bAutoStart, 1},
                             {"Redial", &g_bRedial, 0},
                             {"FirstTime", &g_bFirstTime, 1}};

struct Settings {
    int numbers[4];
    std::string url;
    bool operator==(const Settings& other) const {
        return std::memcmp(numbers, other.numbers, sizeof numbers) == 0 && url == other.url;
    }
};

Settings Current() {
    Settings settings{};
    for (int i = 0; i < 4; ++i) settings.numbers[i] = *kSwitches[i].value;
    settings.url = std::string(g_szURL1, strnlen(g_szURL1, sizeof g_szURL1));
    return settings;
}

void SetAll(int number, const char* url) {
    for (const Setting& setting : kSwitches) *setting.value = number;
    std::snprintf(g_szURL1, sizeof g_szURL1, "%s", url);
}

bool IsFourByteDword(const FakeRegistry::Value* stored) {
    return stored && stored->type == platform::kRegDword && stored->bytes.size() == 4;
}

void CheckRead(const FakeRegistry& registry) {
    for (const Setting& setting : kSwitches) {
        const FakeRegistry::Value* stored = registry.Find(kKey, setting.name);
        if (!stored)
            Require(*setting.value == setting.defaultValue, "a missing setting gives its default",
                    setting.name);
        // Only FirstStart is a plain number; what a switch outside 0 and 1 reads as is the
        // switches' check.
        if (IsFourByteDword(stored) && setting.value == &g_iFirstStart)
            Require(std::memcmp(setting.value, stored->bytes.data(), 4) == 0,
                    "a REG_DWORD is read as it is stored", setting.name);
        if (stored && !IsFourByteDword(stored))
            Require(*setting.value == setting.defaultValue,
                    "a setting stored with the wrong type or size gives its default", setting.name);
    }
    const FakeRegistry::Value* stored = registry.Find(kKey, "URL1");
    const std::string url = Current().url;
    const std::string storedText =
        stored ? std::string(stored->bytes.begin(), stored->bytes.end()) : std::string();
    Require(url == kDefaultUrl || (stored && url == storedText.substr(0, storedText.find('\0'))),
            "the URL read is the default or the stored text", Shown(url));
    if (stored && stored->type != platform::kRegSz)
        Require(url == kDefaultUrl, "a URL stored with the wrong type gives the default");
}

void CheckWritten(const FakeRegistry& registry, const Settings& settings) {
    for (int i = 0; i < 4; ++i) {
        const FakeRegistry::Value* stored = registry.Find(kKey, kSwitches[i].name);
        Require(IsFourByteDword(stored) &&
                    std::memcmp(stored->bytes.data(), &settings.numbers[i], 4) == 0,
                "a number setting is written as its REG_DWORD", kSwitches[i].name);
    }
    const FakeRegistry::Value* stored = registry.Find(kKey, "URL1");
    Require(stored && stored->type == platform::kRegSz &&
                std::string(stored->bytes.begin(), stored->bytes.end()) == settings.url + '\0',
            "the URL is written as a terminated REG_SZ");
}

class QuietView : public IKeepAliveView {
  public:
    void UpdateLamps() override {}
    void MinimiseMainWindow() override {}
    void ShowActivity(const std::string&) override {}
};

// The settings page shows Redial ticked for any value but 0 (app/main_sheet.cpp); the engine
// must then let the system dial, and otherwise switch autodial off.
void CheckRedialReadOneWay() {
    QuietView view;
    RunState run;
    EventLog log;
    bool suppressed = false;
    KeepAliveEngine engine(
        view, run, log,
        [&suppressed] {
            suppressed = KeepAliveTarget().suppressAutodial;
            return ProbeResult::Online;
        },
        [] {});
    engine.StartStayOn();
    engine.Tick();
    Require(suppressed == (g_bRedial == 0),
            "the engine suppresses autodial exactly when the page shows Redial unticked",
            std::to_string(g_bRedial));
}

}  // namespace

// Registry values under the settings key (or any other key named in brackets).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystem system;
    for (const ScriptLine& line : ParseScript(data, size, kKey))
        if (line.isValue) PutValue(system.registry, line);
    g_iFirstStart = 1;
    g_bAutoStart = 1;
    g_bRedial = 0;
    g_bFirstTime = 1;
    std::snprintf(g_szURL1, sizeof g_szURL1, "%s", kDefaultUrl);

    TransferSettings(STORE_READ);
    CheckRead(system.registry);
    const Settings read = Current();
    CheckRedialReadOneWay();

    TransferSettings(STORE_WRITE);
    CheckWritten(system.registry, read);
    SetAll(12345, "http://scrambled.example/");
    TransferSettings(STORE_READ);
    Require(Current() == read, "a settings write then read gives the same settings");
    return 0;
}
