#include "keepalive/online_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <random>
#include <thread>
#include <utility>

#include "tests/native/probe_fixture.h"

namespace {

using Texts = std::vector<std::string>;

constexpr ProbeResult kPending = ProbeResult::Pending;
constexpr ProbeResult kOnline = ProbeResult::Online;
constexpr ProbeResult kOffline = ProbeResult::Offline;

const std::string kOpenProxy = "OpenSession 2.01_Nimbrel - www.quaddle.example | named proxy";
const std::string kOpenPreconfig =
    "OpenSession 2.01_PROXY_Nimbrel - www.quaddle.example | system settings";
const std::string kClose = "Close";

Texts Join(std::initializer_list<Texts> parts) {
    Texts all;
    for (const Texts& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}
// One attempt: the head of the page, with the product's time-out on each step.
const Texts kAttempt = {"Connect session keepalive.example 80",
                        "OpenHeadRequest connection / plain 15000", "Send request", kClose, kClose};

struct RequestCase {
    const char* name;
    std::set<platform::InternetRoute> failingRoutes;
    std::deque<int> answers;
    Texts calls;
    ProbeResult result;
};

TEST_F(ProbeTest, RequestSequenceForEveryFallback) {
    constexpr int kNone = FakeInternet::kUnreachable;
    const RequestCase cases[] = {
        {"first request answered", {}, {200}, Join({{kOpenProxy}, kAttempt, {kClose}}), kOnline},
        {"no first session",
         {platform::InternetRoute::NamedProxy},
         {200},
         Join({{kOpenProxy, kOpenPreconfig}, kAttempt, {kClose}}),
         kOnline},
        {"repeat answered",
         {},
         {kNone, 200},
         Join({{kOpenProxy}, kAttempt, kAttempt, {kClose}}),
         kOnline},
        {"system settings answered",
         {},
         {kNone, kNone, 200},
         Join({{kOpenProxy}, kAttempt, kAttempt, {kClose, kOpenPreconfig}, kAttempt, {kClose}}),
         kOnline},
        {"all unanswered",
         {},
         {kNone, kNone, kNone, 200},  // a fourth request would be answered
         Join({{kOpenProxy}, kAttempt, kAttempt, {kClose, kOpenPreconfig}, kAttempt, {kClose}}),
         kOffline},
        {"no session at all",
         {platform::InternetRoute::NamedProxy, platform::InternetRoute::SystemSettings},
         {200},
         {kOpenProxy, kOpenPreconfig},
         kOffline},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInternet fresh;
        fresh.failingRoutes = c.failingRoutes;
        fresh.answers = c.answers;
        platform::Provide<platform::IInternet>(&fresh);
        EXPECT_EQ(kPending, Check());
        EXPECT_EQ(c.result, Collect());
        EXPECT_EQ(c.calls, fresh.Calls());
        EXPECT_EQ(0u, fresh.OpenHandles());
        EXPECT_EQ(Texts{}, fresh.Misuses());
        threads.Join();
        platform::Provide<platform::IInternet>(&internet);
    }
}

// A redirect is an answer: it proves the line is up, and it is never followed.
TEST_F(ProbeTest, AnyHttpStatusIsOnlineWithOneRequest) {
    for (int status : {301, 302, 404, 500, 100, 599}) {
        SCOPED_TRACE(status);
        const std::size_t before = internet.Requests();
        internet.answers = {status};
        EXPECT_EQ(kPending, Check());
        EXPECT_EQ(kOnline, Collect());
        EXPECT_EQ(before + 1, internet.Requests());
    }
}

TEST_F(ProbeTest, AddressesBecomeHostPortAndObject) {
    const struct {
        const char* url;
        const char* request;  // "" when no request is made
    } cases[] = {
        {"HTTP://Host.example:8080/a/b?c=d#frag", "Host.example:8080/a/b?c=d"},
        {"https://user:pw@secure.example?q", "secure.example:443/?q"},
        {"http://[::1]:81", "::1:81/"},
        {"http://www.", "www.:80/"},
        {"ftp://files.example/", ""},
        {"www.example.com", ""},
        {"http://:80/", ""},
        {"http://host:0/", ""},
        {"http://host:65536/", ""},
        {"http://host:8x/", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        target.url = c.url;
        const std::size_t before = internet.Requests();
        EXPECT_EQ(kPending, Check());
        EXPECT_EQ(kOffline, Collect());
        if (*c.request) {
            ASSERT_EQ(before + 3, internet.Requests());
            EXPECT_EQ(c.request, internet.Urls().back());
        } else {
            EXPECT_EQ(before, internet.Requests());
        }
    }
    const Texts calls = internet.Calls();
    const auto secure = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
        return call.find("OpenHeadRequest connection /?q") == 0;
    });
    ASSERT_NE(calls.end(), secure);
    EXPECT_EQ("OpenHeadRequest connection /?q secure 15000", *secure);
}

TEST_F(ProbeTest, OfflineResultIsLoggedAfterTheStart) {
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOffline, Collect());
    EXPECT_EQ((Texts{"Checking online...", "OFFline!"}), LogTexts());
    EXPECT_FALSE(probe->LastOnline());
}

TEST_F(ProbeTest, StepsWhileTheWorkerRunsReturnZeroAndLogOnce) {
    internet.Hold();
    internet.answers = {200};
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(internet.WaitForRequests(1, 5));
    EXPECT_EQ(kPending, Check());
    EXPECT_TRUE(probe->Checking());
    EXPECT_EQ(Texts{"Checking online..."}, LogTexts());
    EXPECT_EQ(1, threads.Starts());

    internet.Release();
    EXPECT_EQ(kOnline, Collect());
    EXPECT_EQ((Texts{"Checking online...", "Online!"}), LogTexts());
    EXPECT_FALSE(probe->Started());
}

TEST_F(ProbeTest, ChecksIsRaisedBeforeTheWorkerRuns) {
    internet.answers = {200};
    EXPECT_EQ(kPending, Check());
    // The previous probe's result must not be handed out for this one.
    ASSERT_EQ(kOnline, Collect());
    threads.defer = true;
    EXPECT_EQ(kPending, Check());
    EXPECT_TRUE(probe->Checking());
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kPending, Check());
    threads.RunDeferred();
    EXPECT_EQ(kOffline, Collect());
}

TEST_F(ProbeTest, ResultIsHandedOutOnceToWhoeverStepsNext) {
    internet.answers = {200};
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(WaitUntilFinished());
    EXPECT_TRUE(probe->Started());  // nobody has collected it yet
    EXPECT_EQ(kOnline, Check());
    EXPECT_EQ(kPending, Check());  // a new probe, not the same result again
    EXPECT_EQ(2, threads.Starts());
    EXPECT_EQ(kOffline, Collect());
    EXPECT_EQ((Texts{"Checking online...", "Online!", "Checking online...", "OFFline!"}),
              LogTexts());
}

TEST_F(ProbeTest, WorkerThatCannotStartLeavesTheMachineIdleAndThePreviousResult) {
    internet.answers = {200};
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());

    threads.fail = true;
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kPending, Check());
    EXPECT_FALSE(probe->Started());
    EXPECT_FALSE(probe->Checking());
    EXPECT_TRUE(probe->LastOnline());
    EXPECT_EQ((Texts{"Checking online...", "Online!"}), LogTexts());

    threads.fail = false;  // the next step tries again
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOffline, Collect());
    EXPECT_FALSE(probe->LastOnline());
}

// The warning is the window thread's to show: the worker shows nothing and waits for nobody.
TEST_F(ProbeTest, ShortUrlsAreWarnedAboutOncePerUrlAndTheProbeGoesOn) {
    const struct {
        const char* url;
        const char* url2;
        Texts warnings;
    } cases[] = {
        {"http", "abc", {"URL not correct", "URL2 not correct"}},
        {"http", "abc", {}},  // the same URL again: warned already
        {"", "", {"URL not correct", "URL2 not correct"}},
        {"http", "http:", {"URL not correct"}},
        {"http:", "abc", {}},
        {"http", "http:", {"URL not correct"}},  // after a good URL, warned again
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.url) + " / " + c.url2);
        target.url = c.url;
        target.savedUrl = c.url2;
        const int startsBefore = threads.Starts();
        EXPECT_EQ(kPending, Check());
        EXPECT_EQ(c.warnings, probe->TakeShortUrlWarnings());
        EXPECT_TRUE(probe->TakeShortUrlWarnings().empty());
        EXPECT_EQ(kOffline, Collect());
        EXPECT_EQ(startsBefore + 1, threads.Starts());
    }
    EXPECT_TRUE(system.user.boxes.empty());
}

TEST_F(ProbeTest, AutodialIsOffExactlyWhileTheRequestsRun) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    system.registry.PutDword(key, "NoNetAutodial", 1);
    system.version.record = {6, 1, 7601, platform::WindowsFamily::Nt, "Service Pack 1"};
    Texts seen;
    internet.duringRequest = [&] {
        seen.push_back(std::to_string(system.registry.Dword(key, "EnableAutodial")) +
                       std::to_string(system.registry.Dword(key, "NoNetAutodial")));
    };
    target.suppressAutodial = true;
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOffline, Collect());
    EXPECT_EQ((Texts{"00", "00", "00"}), seen);
    EXPECT_EQ(1u, system.registry.Dword(key, "EnableAutodial"));
    EXPECT_EQ(1u, system.registry.Dword(key, "NoNetAutodial"));
    EXPECT_TRUE(system.user.boxes.empty());

    system.registry.calls.clear();
    target.suppressAutodial = false;  // Redial on: the user's settings decide
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOffline, Collect());
    EXPECT_TRUE(system.registry.calls.empty());
}

// A request that hangs is given up after 60 seconds: offline, its request closed by its worker,
// no further attempt, and the user's autodial values back; the next probe is not touched by the
// old one.
TEST_F(ProbeTest, HungRequestIsGivenUpAndCancelled) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    system.registry.PutDword(key, "NoNetAutodial", 1);
    const auto values = [&] {
        return std::to_string(system.registry.Dword(key, "EnableAutodial")) +
               std::to_string(system.registry.Dword(key, "NoNetAutodial"));
    };
    target.suppressAutodial = true;
    internet.Hold();
    internet.answers = {200, 200, 200};  // what a further attempt would get
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(internet.WaitForRequests(1, 5));
    system.clock.ticks += ProbeTimes{}.limitMs - 1;
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ("00", values());
    system.clock.ticks += 1;
    EXPECT_EQ(kOffline, Check());
    EXPECT_EQ((Texts{"Checking online...", "OFFline!"}), LogTexts());
    threads.Join();  // the worker ends though the request is still held
    EXPECT_EQ("11", values());
    EXPECT_EQ(1u, internet.Requests());
    EXPECT_EQ(0u, internet.OpenHandles());
    EXPECT_EQ("11", values());

    internet.Release();
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    EXPECT_EQ("11", values());
}

// Whatever stops a probe from counting, its worker stops waiting, closes its request, makes no
// further attempt and puts autodial back.
TEST_F(ProbeTest, EveryWayOfDroppingCancelsTheRunningRequest) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    const struct {
        const char* name;
        std::function<void()> drop;
    } ways[] = {
        {"abandoned", [&] { probe->Abandon(); }},
        {"given up",
         [&] {
             system.clock.ticks += ProbeTimes{}.limitMs;
             EXPECT_EQ(kOffline, Check());
         }},
        {"the program ends", [&] { probe.reset(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        system.registry.PutDword(key, "EnableAutodial", 1);
        probe = std::make_unique<OnlineProbe>(log, autodial);
        FakeInternet fresh;
        platform::Provide<platform::IInternet>(&fresh);
        target.suppressAutodial = true;
        fresh.Hold();
        EXPECT_EQ(kPending, Check());
        ASSERT_TRUE(fresh.WaitForRequests(1, 5));
        EXPECT_EQ(0u, system.registry.Dword(key, "EnableAutodial"));
        way.drop();
        threads.Join();
        EXPECT_EQ(1u, system.registry.Dword(key, "EnableAutodial"));
        EXPECT_EQ(1u, fresh.Requests());
        EXPECT_EQ(0u, fresh.OpenHandles());
        EXPECT_EQ(Texts{}, fresh.Misuses());
        platform::Provide<platform::IInternet>(&internet);
    }
}

// A probe whose requests all go unanswered makes 19 calls on the library: two attempts through
// the first session, one through the second. Its requests are calls 4, 9 and 16.
constexpr std::size_t kCallsOfAProbe = 19;
std::size_t RequestsWithin(std::size_t calls) {
    return (calls >= 4 ? 1 : 0) + (calls >= 9 ? 1 : 0) + (calls >= 16 ? 1 : 0);
}

// Probes dropped at random moments: inside each call of each attempt, just after one, or just
// after the start. Every dropped worker makes no request after the drop, closes each of its own
// handles once and touches no other (the double reuses freed values, as the library does), ends
// within a second and puts autodial back (ThreadSanitizer watches the threads under native-tsan).
TEST_F(ProbeTest, ProbesDroppedAtAnyMomentCloseEachHandleOnce) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    target.suppressAutodial = true;
    std::mt19937 random(25);
    int late = 0;
    int laterRequests = 0;
    int autodialOff = 0;
    for (int drop = 0; drop < 10000; ++drop) {
        const std::size_t call = random() % (kCallsOfAProbe + 1);  // 0: no pause
        const std::size_t before = internet.Requests();
        internet.PauseInCall(call);
        ASSERT_EQ(kPending, Check());
        if (call > 0) {
            ASSERT_TRUE(internet.WaitForPause(5000)) << call;
        }
        const bool inside = drop % 2 == 0;  // else between that call and the next ones
        if (!inside) {
            internet.Resume();
            std::atomic<unsigned> spins{static_cast<unsigned>(random() % 4096)};
            while (spins.fetch_sub(1) > 0) {
            }
        }
        probe->Abandon();
        internet.Resume();
        if (!threads.LatestEnded(std::chrono::seconds(1))) ++late;
        if (inside && call > 0 && internet.Requests() - before != RequestsWithin(call))
            ++laterRequests;
        if (system.registry.Dword(key, "EnableAutodial") != 1) ++autodialOff;
        threads.Join();  // so that the next worker gets the ended one's stack
    }
    EXPECT_EQ(0, late);
    EXPECT_EQ(0, laterRequests);
    EXPECT_EQ(0, autodialOff);
    EXPECT_EQ(0u, internet.OpenHandles());
}

TEST_F(ProbeTest, AbandonedProbeOrResultIsNeverHandedOut) {
    internet.answers = {200, 200};
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(WaitUntilFinished());
    probe->Abandon();  // an online result nobody collected
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(internet.WaitForRequests(2, 5));
    EXPECT_EQ(kOnline, Collect());

    internet.Hold();  // a running one, with autodial off
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    target.suppressAutodial = true;
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(internet.WaitForRequests(3, 5));
    probe->Abandon();
    threads.Join();
    EXPECT_EQ(1u, system.registry.Dword(key, "EnableAutodial"));
    EXPECT_EQ((Texts{"Checking online...", "Checking online...", "Online!", "Checking online..."}),
              LogTexts());
}

// Probes dropped or given up on while their workers run, again and again, with autodial
// switched: no worker writes after its probe stopped counting, and in the end the user's values
// are back (a race here is ThreadSanitizer's to see).
TEST_F(ProbeTest, DroppedWorkersEndingLateLeaveTheUsersValues) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    internet.answers = std::deque<int>(200, 200);
    target.suppressAutodial = true;
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(kPending, Check());
        if (i % 2 == 0) {
            probe->Abandon();
        } else {
            system.clock.ticks += ProbeTimes{}.limitMs;
            EXPECT_NE(kPending, Check());
        }
    }
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    threads.Join();
    EXPECT_EQ(1u, system.registry.Dword(key, "EnableAutodial"));
    EXPECT_EQ(nullptr,
              system.registry.Find("HKCU\\SOFTWARE\\QUADDLE\\nimbrel2", "AutodialSwitchedOff"));
    EXPECT_EQ(0u, internet.OpenHandles());
}

// The program may end while a worker is inside a call: the window thread waits for it only
// briefly (End), autodial stays off until the worker has closed its handles, and the worker then
// puts it back itself, though the probe and the switch's owner are gone.
TEST_F(ProbeTest, WorkerOutlivesTheProbeAndTheSwitchOwner) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    target.suppressAutodial = true;
    internet.PauseInCall(4);  // inside its first request
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(internet.WaitForPause(5000));
    const auto start = std::chrono::steady_clock::now();
    probe->End();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(0u, system.registry.Dword(key, "EnableAutodial"));
    probe.reset();
    autodial.reset();
    internet.Resume();
    threads.Join();
    EXPECT_EQ(1u, system.registry.Dword(key, "EnableAutodial"));
    EXPECT_EQ(0u, internet.OpenHandles());
}

TEST_F(ProbeTest, UrlChangedDuringProbesIsReadWhole) {
    const std::string first = "http://" + std::string(250, 'a') + "/";
    const std::string second = "http://" + std::string(200, 'b') + "/";
    target.url = first;
    bool flip = false;
    for (int run = 0; run < 20; ++run) {
        ProbeResult result = Check();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (result == kPending && std::chrono::steady_clock::now() < deadline) {
            target.url = flip ? first : second;
            flip = !flip;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            result = Check();
        }
        ASSERT_EQ(kOffline, result);
    }
    for (const std::string& url : internet.Urls())
        EXPECT_TRUE(url == first.substr(7, 250) + ":80/" || url == second.substr(7, 200) + ":80/")
            << url;
    EXPECT_LE(threads.OpenHandles(), 1u);  // only a worker not seen ended yet is kept
}

}  // namespace
