// The keep-alive URL: whatever the user types, the page, the setting and the probe all use the
// same text, the probe asks for exactly that address and leaves no handle open, and the saved URL
// comes back at the next start.
#include <cstdint>
#include <cstdio>
#include <string>

#include "keepalive/probe_address.h"
#include "keepalive/probe_request.h"
#include "settings/keep_alive_url.h"
#include "settings/settings.h"
#include "tests/doubles/fake_internet.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

void CheckInForce(const std::string& kept) {
    Require(CurrentKeepAliveUrl() == kept && SettingUrl() == kept,
            "the URL in force and the setting hold the same text", Shown(kept));
    Require(TakeUrlFromSetting() == kept, "taking the setting again changes nothing");
}

// The worker's requests for the URL in force: a web address is asked for its own host, port and
// path, anything else makes no request, and every handle is closed once.
void CheckProbe(const std::string& kept) {
    FakeInternet internet;
    platform::IInternet* previous = platform::ServiceSlot<platform::IInternet>();
    platform::Provide<platform::IInternet>(&internet);
    ProbeRequest request;
    request.url = SettingUrl();
    MakeProbeRequests(request);
    platform::Provide<platform::IInternet>(previous);
    const auto address = SplitProbeUrl(kept);
    Require(address.has_value() == (internet.Requests() > 0),
            "a probe makes a request exactly for a web address", Shown(kept));
    for (const std::string& url : internet.Urls()) {
        Require(url == address->host + ":" + std::to_string(address->port) + address->object,
                "the probe asks for the host, port and path of the URL in force", Shown(url));
        Require(kept.find(address->host) != std::string::npos &&
                    (address->object == "/" ||
                     kept.find(address->object.substr(address->object[1] == '?' ? 1 : 0)) !=
                         std::string::npos),
                "the host and path come from the URL in force", Shown(url));
    }
    Require(internet.OpenHandles() == 0 && internet.BadCloses() == 0,
            "the probe closes every handle once");
}

void CheckSaved(const std::string& kept) {
    TransferSettings(STORE_WRITE);
    std::snprintf(g_szURL1, sizeof g_szURL1, "%s", "http://scrambled.example/");
    TransferSettings(STORE_READ);
    Require(SettingUrl() == kept, "the URL kept survives a save and the next start",
            std::to_string(kept.size()) + " characters");
}

}  // namespace

// The input is what the user typed into the URL dialog; an edit control holds no NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystem system;
    std::string typed;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != 0) typed += static_cast<char>(data[i]);

    SetKeepAliveUrl(typed);
    const std::string kept = CurrentKeepAliveUrl();
    Require(
        typed.compare(0, kept.size(), kept) == 0 && (kept == typed || kept.size() == kUrlMaxLength),
        "the URL is kept whole, or cut only at the setting's limit", Shown(kept));
    CheckInForce(kept);
    SetTestedUrl(typed);
    CheckInForce(kept);
    Require(g_strURL2 == "---------------", "a tested URL marks URL2 as tested");
    CheckProbe(kept);
    CheckSaved(kept);
    return 0;
}
