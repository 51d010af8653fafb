#include "keepalive/online_probe.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "app/shared_texts.h"
#include "settings/settings.h"
#include "settings/url_lock.h"
#include "tests/native/probe_fixture.h"

namespace {

using Texts = std::vector<std::string>;

const std::string kOpenProxy =
    "InternetOpenA 2.01_Nimbrel - www.quaddle.example | 3 (null) (null) 0";
const std::string kOpenPreconfig =
    "InternetOpenA 2.01_PROXY_Nimbrel - www.quaddle.example | 0 (null) (null) 0";
// ASCII transfer, reload past every cache, and nothing written to the cache: 0x84000101.
const std::string kRequest =
    "InternetOpenUrlA root http://keepalive.example/ (null) 0 2214592769 0";
const std::string kClose = "InternetCloseHandle";

struct RequestCase {
    const char* name;
    std::set<std::uint32_t> failingAccessTypes;
    std::deque<bool> requestResults;
    Texts calls;
    int result;
};

TEST_F(ProbeTest, RequestSequenceForEveryFallback) {
    const RequestCase cases[] = {
        {"first request opens", {}, {true}, {kOpenProxy, kRequest, kClose, kClose}, 1},
        {"no first root handle",
         {platform::kInternetOpenTypeProxy},
         {true},
         {kOpenProxy, kOpenPreconfig, kRequest, kClose, kClose},
         1},
        {"repeat succeeds", {}, {false, true}, {kOpenProxy, kRequest, kRequest, kClose, kClose}, 1},
        {"preconfigured succeeds",
         {},
         {false, false, true},
         {kOpenProxy, kRequest, kRequest, kClose, kOpenPreconfig, kRequest, kClose, kClose},
         1},
        {"all fail",
         {},
         {false, false, false, true},  // a fourth request would open
         {kOpenProxy, kRequest, kRequest, kClose, kOpenPreconfig, kRequest, kClose},
         -1},
        {"no root handle at all",
         {platform::kInternetOpenTypeProxy, platform::kInternetOpenTypePreconfig},
         {true},
         {kOpenProxy, kOpenPreconfig},
         -1},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInternet fresh;
        fresh.failingAccessTypes = c.failingAccessTypes;
        fresh.requestResults = c.requestResults;
        platform::Provide<platform::IInternet>(&fresh);
        EXPECT_EQ(0, CheckOnline());
        EXPECT_EQ(c.result, Collect());
        EXPECT_EQ(c.calls, fresh.Calls());
        EXPECT_EQ(0u, fresh.OpenHandles());
        EXPECT_EQ(0u, fresh.BadCloses());
        threads.Join();
        platform::Provide<platform::IInternet>(&internet);
    }
}

TEST_F(ProbeTest, OfflineResultIsLoggedAfterTheStart) {
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(-1, Collect());
    EXPECT_EQ((Texts{"Checking online...", "OFFline!"}), LogTexts());
    EXPECT_EQ(0, g_bOnline);
}

TEST_F(ProbeTest, StepsWhileTheWorkerRunsReturnZeroAndLogOnce) {
    internet.Hold();
    internet.requestResults = {true};
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(0, CheckOnline());
    ASSERT_TRUE(internet.WaitForRequests(1, 5));
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(1, g_bChecking);
    EXPECT_EQ(Texts{"Checking online..."}, LogTexts());
    EXPECT_EQ(1, threads.Starts());

    internet.Release();
    EXPECT_EQ(1, Collect());
    EXPECT_EQ((Texts{"Checking online...", "Online!"}), LogTexts());
    EXPECT_EQ(kProbeIdle, iOnlineStatus);
}

TEST_F(ProbeTest, ChecksIsRaisedBeforeTheWorkerRuns) {
    g_bOnline = 1;  // the previous probe's result must not be handed out for this one
    threads.defer = true;
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(1, g_bChecking);
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(0, CheckOnline());
    threads.RunDeferred();
    EXPECT_EQ(-1, Collect());
}

TEST_F(ProbeTest, ResultIsHandedOutOnceToWhoeverStepsNext) {
    internet.requestResults = {true};
    EXPECT_EQ(0, CheckOnline());
    ASSERT_TRUE(WaitUntilFinished());
    EXPECT_EQ(kProbeStarted, iOnlineStatus);  // nobody has collected it yet
    EXPECT_EQ(1, CheckOnline());
    EXPECT_EQ(0, CheckOnline());  // a new probe, not the same result again
    EXPECT_EQ(2, threads.Starts());
    EXPECT_EQ(-1, Collect());
    EXPECT_EQ((Texts{"Checking online...", "Online!", "Checking online...", "OFFline!"}),
              LogTexts());
}

TEST_F(ProbeTest, WorkerThatCannotStartLeavesTheMachineIdleAndThePreviousResult) {
    internet.requestResults = {true};
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(1, Collect());

    threads.fail = true;
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(kProbeIdle, iOnlineStatus);
    EXPECT_EQ(0, g_bChecking);
    EXPECT_EQ(1, g_bOnline);
    EXPECT_EQ((Texts{"Checking online...", "Online!"}), LogTexts());

    threads.fail = false;  // the next step tries again
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(-1, Collect());
    EXPECT_EQ(0, g_bOnline);
}

TEST_F(ProbeTest, UnknownStateLogsAnErrorAndStays) {
    iOnlineStatus = 150;
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(150, iOnlineStatus);
    EXPECT_EQ(0, threads.Starts());
    EXPECT_EQ((Texts{"iOnlineStatus error", "iOnlineStatus error"}), LogTexts());
}

TEST_F(ProbeTest, ShortUrlsAreReportedAndTheProbeGoesOn) {
    const struct {
        const char* url;
        const char* url2;
        Texts boxes;
    } cases[] = {
        {"http", "abc", {"URL not correct", "URL2 not correct"}},
        {"", "", {"URL not correct", "URL2 not correct"}},
        {"http", "http:", {"URL not correct"}},
        {"http:", "abc", {}},  // the second text is tested only after the first box
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.url) + " / " + c.url2);
        system.user.boxes.clear();
        g_strURL = c.url;
        g_strURL2 = c.url2;
        const std::size_t requestsBefore = internet.Requests();
        EXPECT_EQ(0, CheckOnline());
        EXPECT_EQ(-1, Collect());
        EXPECT_EQ(requestsBefore + 3, internet.Requests());
        Texts shown;
        for (const FakeUser::Box& box : system.user.boxes) {
            shown.push_back(box.text);
            EXPECT_EQ(0, box.owner);
            EXPECT_EQ("Quaddle", box.caption);
            EXPECT_EQ(platform::kMbOk, box.type);
        }
        EXPECT_EQ(c.boxes, shown);
    }
}

TEST_F(ProbeTest, AutodialIsOffExactlyWhileTheRequestsRun) {
    const std::string key = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    system.registry.PutDword(key, "EnableAutodial", 1);
    system.registry.PutDword(key, "NoNetAutodial", 1);
    system.version.record = {6, 1, 7601, platform::kPlatformNt, "Service Pack 1"};
    Texts seen;
    internet.duringRequest = [&] {
        seen.push_back(std::to_string(system.registry.Dword(key, "EnableAutodial")) +
                       std::to_string(system.registry.Dword(key, "NoNetAutodial")));
    };
    g_bSuppressAutodial = 1;
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(-1, Collect());
    EXPECT_EQ((Texts{"00", "00", "00"}), seen);
    EXPECT_EQ(1u, system.registry.Dword(key, "EnableAutodial"));
    EXPECT_EQ(1u, system.registry.Dword(key, "NoNetAutodial"));
    EXPECT_TRUE(system.user.boxes.empty());

    system.registry.calls.clear();
    g_bSuppressAutodial = 0;  // Redial on: the user's settings decide
    EXPECT_EQ(0, CheckOnline());
    EXPECT_EQ(-1, Collect());
    EXPECT_TRUE(system.registry.calls.empty());
}

TEST_F(ProbeTest, UrlChangedDuringProbesIsReadWhole) {
    const std::string first = "http://" + std::string(250, 'a') + "/";
    const std::string second = "http://" + std::string(200, 'b') + "/";
    std::snprintf(g_szURL1, sizeof g_szURL1, "%s", first.c_str());
    bool flip = false;
    for (int probe = 0; probe < 20; ++probe) {
        int result = CheckOnline();
        for (int step = 0; result == 0 && step < 100000; ++step) {
            {
                const auto urls = LockUrls();
                std::snprintf(g_szURL1, sizeof g_szURL1, "%s", (flip ? first : second).c_str());
                g_strURL = flip ? "http://x" : "abc";
            }
            flip = !flip;
            result = CheckOnline();
        }
        ASSERT_EQ(-1, result);
    }
    for (const std::string& url : internet.Urls())
        EXPECT_TRUE(url == first || url == second) << url;
}

}  // namespace
