// The keep-alive URL: whatever the user types, the setting keeps it whole or cut at its limit of
// 299 characters (UTF-16 units, so a cut never needs more than one short of it), the
// probe asks for exactly that address and leaves no handle open, and the saved URL comes back at
// the next start.
#include <cstdint>
#include <string>

#include "keepalive/probe_address.h"
#include "keepalive/probe_cancellation.h"
#include "keepalive/probe_request.h"
#include "platform/text_length.h"
#include "settings/keep_alive_url.h"
#include "settings/settings.h"
#include "tests/doubles/fake_internet.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The worker's requests for the URL in use: a web address is asked for its own host, port and
// path, anything else makes no request, and every handle is closed once.
void CheckProbe(const Settings& settings, const std::string& kept) {
    FakeInternet internet;
    platform::IInternet* previous = platform::ServiceSlot<platform::IInternet>();
    platform::Provide<platform::IInternet>(&internet);
    ProbeRequest request;
    request.url = settings.url;
    ProbeCancellation cancellation;
    MakeProbeRequests(request, cancellation);
    platform::Provide<platform::IInternet>(previous);
    const auto address = SplitProbeUrl(kept);
    Require(address.has_value() == (internet.Requests() > 0),
            "a probe makes a request exactly for a web address", Shown(kept));
    for (const std::string& url : internet.Urls()) {
        Require(url == address->host + ":" + std::to_string(address->port) + address->object,
                "the probe asks for the host, port and path of the URL in use", Shown(url));
        Require(kept.find(address->host) != std::string::npos &&
                    (address->object == "/" ||
                     kept.find(address->object.substr(address->object[1] == '?' ? 1 : 0)) !=
                         std::string::npos),
                "the host and path come from the URL in use", Shown(url));
    }
    Require(internet.OpenHandles() == 0 && internet.Misuses().empty(),
            "the probe closes every handle once");
}

void CheckSaved(Settings& settings, const std::string& kept) {
    TransferSettings(settings, Transfer::Write);
    settings.url = "http://scrambled.example/";
    TransferSettings(settings, Transfer::Read);
    Require(settings.url == kept, "the URL kept survives a save and the next start",
            std::to_string(kept.size()) + " characters");
}

}  // namespace

// The input is what the user typed into the URL dialog; an edit control holds no NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystem system;
    std::string typed;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != 0) typed += static_cast<char>(data[i]);

    Settings settings;
    SetKeepAliveUrl(settings, typed);
    const std::string kept = settings.url;
    Require(typed.compare(0, kept.size(), kept) == 0 && Utf16Length(kept) <= kUrlMaxLength &&
                (kept == typed || Utf16Length(kept) + 1 >= kUrlMaxLength),
            "the URL is kept whole, or cut only at the setting's limit", Shown(kept));
    SetTestedUrl(settings, typed);
    Require(settings.url == kept, "a tested URL is kept the same way", Shown(kept));
    Require(settings.savedUrl == "---------------", "a tested URL marks the saved one as tested");
    CheckProbe(settings, kept);
    CheckSaved(settings, kept);
    return 0;
}
