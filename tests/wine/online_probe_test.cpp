#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/online_probe.h"
#include "platform/win32/win32_services.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using Clock = std::chrono::steady_clock;
using Texts = std::vector<std::string>;
using Mode = LoopbackHttpServer::Mode;

constexpr ProbeResult kPending = ProbeResult::Pending;
constexpr ProbeResult kOnline = ProbeResult::Online;
constexpr ProbeResult kOffline = ProbeResult::Offline;

constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

// Reads a DWORD as the test sees the registry; -1 when it is missing.
long long ReadAutodialValue(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kInternetSettings, name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return -1;
    return value;
}

void WriteAutodialValue(const char* name, long long value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    if (value < 0) {
        RegDeleteValueA(key, name);
    } else {
        const DWORD dword = static_cast<DWORD>(value);
        RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                       sizeof dword);
    }
    RegCloseKey(key);
}

// Keeps the prefix's own autodial values across a test that sets its own.
class SavedAutodialValues {
  public:
    SavedAutodialValues()
        : m_enable(ReadAutodialValue("EnableAutodial")),
          m_noNet(ReadAutodialValue("NoNetAutodial")) {}
    SavedAutodialValues(const SavedAutodialValues&) = delete;
    SavedAutodialValues& operator=(const SavedAutodialValues&) = delete;
    ~SavedAutodialValues() {
        WriteAutodialValue("EnableAutodial", m_enable);
        WriteAutodialValue("NoNetAutodial", m_noNet);
    }

  private:
    long long m_enable;
    long long m_noNet;
};

// The probe for real, against a server of the test's own on the loopback interface.
class RealProbe : public ::testing::Test {
  protected:
    RealProbe() { platform::InstallWin32Services(); }

    void Aim(const LoopbackHttpServer& server) { target.url = server.Url(); }

    ProbeResult Check() { return probe.Check(target); }

    // Steps as a fast timer would until the result comes; pending when none came in time.
    ProbeResult Collect(int seconds = 10) {
        const auto deadline = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < deadline) {
            const ProbeResult result = Check();
            if (result != kPending) return result;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return kPending;
    }

    bool WaitUntilFinished(int seconds) {
        const auto deadline = Clock::now() + std::chrono::seconds(seconds);
        while (probe.Checking() && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return !probe.Checking();
    }

    Texts LogTexts() const {
        const std::string lines = log.Lines();
        Texts texts;
        for (std::size_t start = 0; start < lines.size();) {
            std::size_t end = lines.find("\r\n", start);
            if (end == std::string::npos) end = lines.size();
            texts.push_back(lines.substr(start + 10, end - start - 10));
            start = end + 2;
        }
        return texts;
    }

    // Waits until the server's held connections are all closed by the client; the time it took
    // in milliseconds, or a negative figure when they were not closed in time.
    static double WaitForClosedConnections(const LoopbackHttpServer& server, int milliseconds) {
        const auto start = Clock::now();
        while (server.OpenConnections() > 0) {
            if (Clock::now() - start > std::chrono::milliseconds(milliseconds)) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return Milliseconds(Clock::now() - start);
    }

    // Waits until the probe's worker has put autodial back, its last step after closing its
    // handles; the time it took in milliseconds, or a negative figure when not in time.
    static double WaitForAutodialBack(int milliseconds) {
        const auto start = Clock::now();
        while (ReadAutodialValue("EnableAutodial") != 1) {
            if (Clock::now() - start > std::chrono::milliseconds(milliseconds)) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return Milliseconds(Clock::now() - start);
    }

    // Short figures, so that hung requests end within the test's patience.
    static constexpr ProbeTimes kTimes{1500, 60000};

    EventLog log{false, ""};
    OnlineProbe probe{log, std::make_shared<AutodialSwitch>(), kTimes};
    // The saved URL is long enough: no warning is due.
    ProbeTarget target{"", "http://www.", false};
};

TEST_F(RealProbe, ServerSeesTheHeadRequestWithTheProgramsAgent) {
    LoopbackHttpServer server(Mode::kAnswer200);
    Aim(server);
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    EXPECT_EQ((Texts{"Checking online...", "Online!"}), LogTexts());

    const auto requests = server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("HEAD /keepalive HTTP/1.1", requests[0].line);
    const std::string agent = requests[0].userAgent;
    EXPECT_TRUE(agent == "2.01_Nimbrel - www.quaddle.example" ||
                agent == "2.01_PROXY_Nimbrel - www.quaddle.example")
        << agent;
    RecordProperty("agent", agent);
    std::printf("user agent that arrived: %s\n", agent.c_str());
}

TEST_F(RealProbe, ClosedPortIsOffline) {
    LoopbackHttpServer server(Mode::kClosedPort);
    Aim(server);
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOffline, Collect());
    EXPECT_EQ((Texts{"Checking online...", "OFFline!"}), LogTexts());
    EXPECT_FALSE(probe.LastOnline());
}

TEST_F(RealProbe, EveryProbeReachesTheServerAndNoneIsAnsweredFromTheCache) {
    LoopbackHttpServer server(Mode::kAnswer200);
    Aim(server);
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    EXPECT_EQ(2u, server.Requests().size());

    server.Stop();  // the same address, now with nobody answering
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOffline, Collect());
}

TEST_F(RealProbe, ServerErrorStillCountsAsOnline) {
    LoopbackHttpServer server(Mode::kAnswer500);
    Aim(server);
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    EXPECT_EQ(1u, server.Requests().size());
}

// What one probe costs against the servers that used to make it expensive or wrong.
TEST_F(RealProbe, RedirectLoopHugePageAndSilentCloseCostOneCheapRequest) {
    const struct {
        const char* name;
        Mode mode;
        ProbeResult result;
    } cases[] = {
        {"301 to itself", Mode::kRedirectToItself, kOnline},
        {"50 MB page", Mode::kHugePage, kOnline},
        {"closes without an answer", Mode::kCloseWithoutAnswer, kOffline},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackHttpServer server(c.mode);
        Aim(server);
        EXPECT_EQ(kPending, Check());
        EXPECT_EQ(c.result, Collect(30));
        Sleep(500);  // anything the closed handles still pull would arrive meanwhile
        const std::size_t requests = server.Requests().size();
        const long long bytes = server.BodyBytesSent();
        server.Stop();
        EXPECT_LE(requests, c.result == kOnline ? 1u : 3u);
        EXPECT_LE(bytes, 64 * 1024);
        std::printf("%s: %zu requests, %lld body bytes in one probe\n", c.name, requests, bytes);
    }
}

// Against a server that never answers, each attempt ends by its own time-out and closes its
// connection: offline after them (one under Wine, which refuses the named-proxy session; three
// at most), long before the give-up, with autodial back.
TEST_F(RealProbe, NeverAnsweringServerIsOfflineWhenTheAttemptsTimeOut) {
    const SavedAutodialValues saved;
    WriteAutodialValue("EnableAutodial", 1);
    WriteAutodialValue("NoNetAutodial", 1);
    LoopbackHttpServer server(Mode::kNeverAnswer);
    Aim(server);
    target.suppressAutodial = true;
    const auto start = Clock::now();
    EXPECT_EQ(kPending, Check());
    ASSERT_TRUE(server.WaitForRequests(1, 5000));
    EXPECT_EQ(0, ReadAutodialValue("EnableAutodial"));
    EXPECT_EQ(kOffline, Collect(30));
    const double seconds = Milliseconds(Clock::now() - start) / 1000;
    EXPECT_EQ(1, ReadAutodialValue("EnableAutodial"));
    EXPECT_EQ(1, ReadAutodialValue("NoNetAutodial"));
    const std::size_t attempts = server.Requests().size();
    EXPECT_GE(attempts, 1u);
    EXPECT_LE(attempts, 3u);
    EXPECT_GE(WaitForClosedConnections(server, 500), 0);
    EXPECT_GE(seconds, static_cast<double>(attempts) * kTimes.attemptMs / 1000 - 0.1);
    EXPECT_LT(seconds, static_cast<double>(attempts) * kTimes.attemptMs / 1000 + 2);
    std::printf("%zu unanswered attempts of %u ms: offline after %.1f s\n", attempts,
                kTimes.attemptMs, seconds);
    EXPECT_EQ((Texts{"Checking online...", "OFFline!"}), LogTexts());
}

// A probe given up while its request hangs: autodial back within a second, the connection
// closed within the attempt's time-out (Wine ends the request left behind only through it), and
// no further attempt.
TEST_F(RealProbe, GivenUpProbeClosesItsConnectionAndStops) {
    const SavedAutodialValues saved;
    WriteAutodialValue("EnableAutodial", 1);
    OnlineProbe early{log, std::make_shared<AutodialSwitch>(), {kTimes.attemptMs, 500}};
    LoopbackHttpServer server(Mode::kNeverAnswer);
    Aim(server);
    target.suppressAutodial = true;
    EXPECT_EQ(kPending, early.Check(target));
    ASSERT_TRUE(server.WaitForRequests(1, 5000));
    ProbeResult result = kPending;
    while (result == kPending) {
        result = early.Check(target);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(kOffline, result);
    EXPECT_GE(WaitForAutodialBack(1000), 0);
    const double closed = WaitForClosedConnections(server, 5000);
    EXPECT_GE(closed, 0);
    EXPECT_LT(closed, kTimes.attemptMs + 500);
    std::printf("give-up to closed connection: %.0f ms\n", closed);
    Sleep(2 * kTimes.attemptMs);
    EXPECT_EQ(1u, server.Requests().size());
}

// A probe dropped (Stay On, the URL test) while the server holds its request and drops the
// connection only later: the drop never waits, the worker closes its handles and puts autodial
// back within a second, and when the server lets go it makes no further attempt.
TEST_F(RealProbe, DroppedProbeMakesNoRequestAfterTheServerDropsLate) {
    const SavedAutodialValues saved;
    WriteAutodialValue("EnableAutodial", 1);
    OnlineProbe patient{log, std::make_shared<AutodialSwitch>(), {20000, 60000}};
    LoopbackHttpServer server(Mode::kCloseLate);
    Aim(server);
    target.suppressAutodial = true;
    EXPECT_EQ(kPending, patient.Check(target));
    ASSERT_TRUE(server.WaitForRequests(1, 5000));
    EXPECT_EQ(0, ReadAutodialValue("EnableAutodial"));
    const auto start = Clock::now();
    patient.Abandon();
    const double dropMs = Milliseconds(Clock::now() - start);
    EXPECT_LT(dropMs, 50.0);
    const double returnMs = WaitForAutodialBack(1000);
    EXPECT_GE(returnMs, 0);
    Sleep(LoopbackHttpServer::kLateCloseMs + 2000);
    EXPECT_EQ(1u, server.Requests().size());
    EXPECT_EQ(1, ReadAutodialValue("EnableAutodial"));
    RecordProperty("drop_to_return_ms", std::to_string(returnMs));
    std::printf(
        "dropping the probe took %.3f ms; its worker closed its handles and put autodial "
        "back %.1f ms after the drop\n",
        dropMs, returnMs);
}

TEST_F(RealProbe, HungServerNeverBlocksTheStep) {
    LoopbackHttpServer server(Mode::kNeverAnswer);
    Aim(server);
    double slowest = 0;
    const auto timedStep = [&] {
        const auto start = Clock::now();
        const ProbeResult result = Check();
        slowest = std::max(slowest, Milliseconds(Clock::now() - start));
        return result;
    };
    EXPECT_EQ(kPending, timedStep());
    ASSERT_TRUE(server.WaitForRequests(1, 5000));
    int steps = 1;
    for (const auto end = Clock::now() + std::chrono::milliseconds(800); Clock::now() < end;
         ++steps) {
        EXPECT_EQ(kPending, timedStep());
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(probe.Checking());
    EXPECT_LT(slowest, 50.0);
    RecordProperty("slowest_step_ms", std::to_string(slowest));
    std::printf("slowest of %d probe steps during the hang: %.3f ms\n", steps, slowest);

    // Ends the hang. WinINet may take a connection closed without an answer as an empty
    // response, so either result may follow; what matters is that one does.
    server.Stop();
    ASSERT_TRUE(WaitUntilFinished(30));
    EXPECT_NE(kPending, Collect());
}

TEST_F(RealProbe, AutodialIsOffWhileTheRequestIsInFlight) {
    const SavedAutodialValues saved;
    WriteAutodialValue("EnableAutodial", 1);
    WriteAutodialValue("NoNetAutodial", 1);

    LoopbackHttpServer server(Mode::kAnswer200);
    long long inFlight[2] = {-2, -2};
    server.OnRequest([&] {
        inFlight[0] = ReadAutodialValue("EnableAutodial");
        inFlight[1] = ReadAutodialValue("NoNetAutodial");
    });
    Aim(server);
    target.suppressAutodial = true;  // Redial 0
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    server.Stop();
    EXPECT_EQ(0, inFlight[0]);
    EXPECT_EQ(0, inFlight[1]);
    EXPECT_EQ(1, ReadAutodialValue("EnableAutodial"));
    EXPECT_EQ(1, ReadAutodialValue("NoNetAutodial"));
}

TEST_F(RealProbe, ProbeTimeBesideOnePlainRequest) {
    LoopbackHttpServer server(Mode::kAnswer200);
    Aim(server);
    const std::string url = server.Url();
    const auto plainRequest = [&] {
        HINTERNET root = InternetOpenA("plain", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        HINTERNET request =
            root ? InternetOpenUrlA(root, url.c_str(), nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 0)
                 : nullptr;
        const bool opened = request != nullptr;
        if (request) InternetCloseHandle(request);
        if (root) InternetCloseHandle(root);
        return opened;
    };
    ASSERT_TRUE(plainRequest());  // warms the library up for both

    auto start = Clock::now();
    ASSERT_TRUE(plainRequest());
    const double plain = Milliseconds(Clock::now() - start);

    start = Clock::now();
    EXPECT_EQ(kPending, Check());
    EXPECT_EQ(kOnline, Collect());
    const double probeMs = Milliseconds(Clock::now() - start);

    RecordProperty("plain_request_ms", std::to_string(plain));
    RecordProperty("probe_ms", std::to_string(probeMs));
    std::printf("one probe: %.3f ms; one plain InternetOpenUrlA: %.3f ms\n", probeMs, plain);
    EXPECT_EQ(3u, server.Requests().size());
}

}  // namespace
