// The autodial switch: around each probe the system's autodial is off, and afterwards the user's
// values are back exactly as they were, whatever their type and size, on every Windows version.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keepalive/autodial.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"

namespace {

constexpr const char* kInternetSettings =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kRasControl = "HKCU\\Software\\Microsoft\\RAS Autodial\\Control";

struct Place {
    const char* key;
    const char* name;
};
const Place kInternetValues[] = {{kInternetSettings, "EnableAutodial"},
                                 {kInternetSettings, "NoNetAutodial"}};
const Place kRasValues[] = {{kRasControl, "LoginSessionDisable"}};

using Snapshot = std::vector<std::optional<FakeRegistry::Value>>;

// A value's place as the registry compares it: without case, without a trailing backslash.
std::pair<std::string, std::string> PlaceName(std::string key, std::string name) {
    while (!key.empty() && key.back() == '\\') key.pop_back();
    for (std::string* text : {&key, &name})
        for (char& c : *text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return {key, name};
}

struct Run {
    FakeSystem system;
    std::map<std::pair<std::string, std::string>, FakeRegistry::Value> userValues;  // as last put
    std::vector<Place> switched;  // the values this Windows version switches
    bool warns = false;           // a version the switch does not know: it only warns
    bool closed = false;          // RestoreAtExit has run
    AutodialSwitch autodial;      // a new run's switch
};

Snapshot Take(const FakeRegistry& registry, const std::vector<Place>& places) {
    Snapshot snapshot;
    for (const Place& place : places) {
        const FakeRegistry::Value* value = registry.Find(place.key, place.name);
        snapshot.push_back(value ? std::optional<FakeRegistry::Value>(*value) : std::nullopt);
    }
    return snapshot;
}

bool Same(const std::optional<FakeRegistry::Value>& a,
          const std::optional<FakeRegistry::Value>& b) {
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->bytes == b->bytes));
}

bool IsDword(const std::optional<FakeRegistry::Value>& value, std::uint32_t number) {
    const std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(number), 0, 0, 0};
    return value && value->type == FakeRegistry::kNumber && value->bytes == bytes;
}

void CheckRestored(const Run& run, const Snapshot& before) {
    const Snapshot after = Take(run.system.registry, run.switched);
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::string what = std::string(run.switched[i].name);
        Require(Same(before[i], after[i]),
                "a user's value comes back with its type and bytes, an absent one absent", what);
    }
}

void CheckSwitchedOff(const Run& run, const Snapshot& before) {
    const Snapshot during = Take(run.system.registry, run.switched);
    if (run.closed || run.warns) {
        for (std::size_t i = 0; i < before.size(); ++i)
            Require(Same(before[i], during[i]), run.closed ? "after the exit nothing is switched"
                                                           : "an unknown Windows is left alone");
        return;
    }
    const std::uint32_t off = run.switched.size() == 1 ? 1 : 0;  // LoginSessionDisable=1
    for (std::size_t i = 0; i < during.size(); ++i)
        Require(IsDword(during[i], off), "autodial is off while the probe runs",
                run.switched[i].name);
}

// The program's own key holds its record of the user's values while they are switched off.
void CheckOthersUntouched(const Run& run) {
    const std::string ownKey = PlaceName("HKCU\\SOFTWARE\\QUADDLE\\nimbrel2", "").first;
    for (const auto& [place, value] : run.userValues) {
        if (place.first == ownKey) continue;
        bool switched = false;
        for (const Place& other : run.switched)
            switched = switched || place == PlaceName(other.key, other.name);
        const FakeRegistry::Value* now = run.system.registry.Find(place.first, place.second);
        Require(switched || (now && now->type == value.type && now->bytes == value.bytes),
                "no other value is touched", place.second);
    }
}

void Probe(Run& run, bool exitDuringRequest) {
    const Snapshot before = Take(run.system.registry, run.switched);
    run.autodial.SwitchOff(1);
    CheckSwitchedOff(run, before);
    if (exitDuringRequest) {
        run.autodial.RestoreAtExit();
        CheckRestored(run, before);
        run.closed = true;
    }
    run.autodial.SwitchBack(1);
    CheckRestored(run, before);
    CheckOthersUntouched(run);
}

void SetVersion(Run& run, const std::string& text) {
    char* end = nullptr;
    const auto platformId =
        static_cast<platform::WindowsFamily>(std::strtoul(text.c_str(), &end, 0));
    const auto major = static_cast<std::uint32_t>(std::strtoul(end, nullptr, 0));
    run.system.version.record.platformId = platformId;
    run.system.version.record.majorVersion = major;
}

void ChooseBranch(Run& run) {
    const platform::OsVersion& os = run.system.version.record;
    const bool nt = os.platformId == platform::WindowsFamily::Nt;
    run.warns = nt && os.majorVersion < 4;
    if (nt && os.majorVersion == 4)
        run.switched.assign(std::begin(kRasValues), std::end(kRasValues));
    else
        run.switched.assign(std::begin(kInternetValues), std::end(kInternetValues));
}

}  // namespace

// Values under the Internet Settings key or another one in brackets; "!os <platform> <major>"
// (before the first probe; default 2 5, NT 5); "!probe" for one probe; "!exit" for a probe
// during which the program ends. Values between probes are the user's changes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Run run;
    run.system.version.record = platform::OsVersion{5, 1, 2600, platform::WindowsFamily::Nt, ""};
    bool probed = false;
    for (const ScriptLine& line : ParseScript(data, size, kInternetSettings)) {
        if (line.isValue) {
            PutValue(run.system.registry, line);
            run.userValues[PlaceName(line.path, line.name)] = line.value;
        } else if (line.word == "os" && !probed) {
            SetVersion(run, line.rest);
        } else if (line.word == "probe" || line.word == "exit") {
            if (!probed) ChooseBranch(run);
            probed = true;
            Probe(run, line.word == "exit");
        }
    }
    return 0;
}
