#include "keepalive/online_probe.h"

#include <cstring>
#include <string>

#include "app/shared_texts.h"
#include "keepalive/autodial.h"
#include "platform/internet_handle.h"
#include "platform/threads.h"
#include "platform/user.h"
#include "settings/settings.h"
#include "settings/url_lock.h"
#include "ui/event_log.h"

int iOnlineStatus = kProbeIdle;
std::atomic<int> g_bChecking{0};
std::atomic<int> g_bOnline{0};
std::atomic<int> g_bSuppressAutodial{0};

namespace {

// What the worker reads of the URL texts, copied at once so that a change made meanwhile on the
// user-interface thread is never seen half-done.
struct ProbeTarget {
    std::string url;
    std::size_t urlLength;
    std::size_t url2Length;
};

ProbeTarget TakeTarget() {
    const auto urls = LockUrls();
    return ProbeTarget{std::string(g_szURL1, strnlen(g_szURL1, sizeof g_szURL1)), g_strURL.size(),
                       g_strURL2.size()};
}

void WarnAboutShortUrls(const ProbeTarget& target) {
    if (target.urlLength >= 5) return;
    platform::User().MessageBoxA(0, "URL not correct", g_strMaker.c_str(), platform::kMbOk);
    if (target.url2Length < 5)
        platform::User().MessageBoxA(0, "URL2 not correct", g_strMaker.c_str(), platform::kMbOk);
}

// Every request goes over the line: an answer from the cache would neither make the traffic that
// keeps the line up nor tell whether the PC is online.
constexpr std::uint32_t kRequestFlags =
    platform::kInternetFlagTransferAscii | platform::kInternetFlagReload |
    platform::kInternetFlagPragmaNoCache | platform::kInternetFlagNoCacheWrite;

// Opens one root handle and makes up to `requests` requests through it; a request handle is
// closed as soon as it came back.
int OpenThrough(const std::string& agent, std::uint32_t accessType, int requests,
                const std::string& url) {
    const platform::InternetHandle root(
        platform::Internet().InternetOpenA(agent.c_str(), accessType, nullptr, nullptr, 0));
    if (!root) return 0;
    for (int i = 0; i < requests; ++i) {
        const platform::InternetHandle request(platform::Internet().InternetOpenUrlA(
            root.get(), url.c_str(), nullptr, 0, kRequestFlags, 0));
        if (request) return 1;
    }
    return 0;
}

int StartProbe() {
    // Raised before the worker exists, so no step in between hands out the previous result.
    g_bChecking = 1;
    if (!platform::Threads().StartThread(is_online)) {
        g_bChecking = 0;
        return kProbePending;
    }
    g_eventLog.Write("Checking online...");
    iOnlineStatus = kProbeStarted;
    return kProbePending;
}

int HandOutResult() {
    if (g_bChecking) return kProbePending;
    const int result = g_bOnline == 1 ? kProbeOnline : kProbeOffline;
    g_eventLog.Write(result == kProbeOnline ? "Online!" : "OFFline!");
    iOnlineStatus = kProbeIdle;
    return result;
}

}  // namespace

int CheckOnline() {
    if (iOnlineStatus == kProbeIdle) return StartProbe();
    if (iOnlineStatus == kProbeStarted) return HandOutResult();
    g_eventLog.Write("iOnlineStatus error");
    return kProbePending;
}

void is_online() {
    const ProbeTarget target = TakeTarget();
    WarnAboutShortUrls(target);
    const std::string agent = g_strVersion + "_" + g_strAgentTag;
    const std::string proxyAgent = g_strVersion + "_PROXY_" + g_strAgentTag;
    const bool suppress = g_bSuppressAutodial == 1;
    if (suppress) SuppressAutodial(1);
    int result = OpenThrough(agent, platform::kInternetOpenTypeProxy, 2, target.url);
    if (result == 0)
        result = OpenThrough(proxyAgent, platform::kInternetOpenTypePreconfig, 1, target.url);
    g_bOnline = result;
    if (suppress) SuppressAutodial(0);
    g_bChecking = 0;
}
