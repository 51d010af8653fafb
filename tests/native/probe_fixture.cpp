#include "tests/native/probe_fixture.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "keepalive/autodial.h"
#include "keepalive/online_probe.h"
#include "ui/event_log.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(5);

}  // namespace

ProbeTest::ProbeTest()
    : previousInternet_(platform::ServiceSlot<platform::IInternet>()),
      previousThreads_(platform::ServiceSlot<platform::IThreads>()) {
    platform::Provide<platform::IInternet>(&internet);
    platform::Provide<platform::IThreads>(&threads);
    iOnlineStatus = kProbeIdle;
    g_bChecking = 0;
    g_bOnline = 0;
    g_bSuppressAutodial = 0;
    g_autodialMemory = AutodialMemory{};
    g_iWinNT = -1;
    g_iWinMajor = -1;
    g_eventLog = CEventLog(0, "");
    g_probeTarget = {"http://keepalive.example/", "http://www."};
}

ProbeTest::~ProbeTest() {
    internet.Release();
    threads.Join();
    platform::Provide<platform::IInternet>(previousInternet_);
    platform::Provide<platform::IThreads>(previousThreads_);
}

int ProbeTest::Collect() {
    const auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline) {
        const int result = CheckOnline();
        if (result != 0) return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

bool ProbeTest::WaitUntilFinished() {
    const auto deadline = Clock::now() + kPatience;
    while (g_bChecking && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !g_bChecking;
}

std::vector<std::string> ProbeTest::LogTexts() {
    std::string lines;
    g_eventLog.GetLines(lines);
    std::vector<std::string> texts;
    for (std::size_t start = 0; start < lines.size();) {
        std::size_t end = lines.find("\r\n", start);
        if (end == std::string::npos) end = lines.size();
        texts.push_back(lines.substr(start + 10, end - start - 10));  // past " 9:05:07: "
        start = end + 2;
    }
    return texts;
}
