#include "tests/native/probe_fixture.h"

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(5);

}  // namespace

ProbeTest::ProbeTest()
    : m_previousInternet(platform::ServiceSlot<platform::IInternet>()),
      m_previousThreads(platform::ServiceSlot<platform::IThreads>()) {
    platform::Provide<platform::IInternet>(&internet);
    platform::Provide<platform::IThreads>(&threads);
}

ProbeTest::~ProbeTest() {
    internet.Release();
    internet.Resume();
    threads.Join();
    probe.reset();
    EXPECT_EQ(std::vector<std::string>{}, internet.Misuses());
    platform::Provide<platform::IInternet>(m_previousInternet);
    platform::Provide<platform::IThreads>(m_previousThreads);
}

ProbeResult ProbeTest::Collect() {
    const auto deadline = Clock::now() + kPatience;
    while (Clock::now() < deadline) {
        const ProbeResult result = Check();
        if (result != ProbeResult::Pending) return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return ProbeResult::Pending;
}

bool ProbeTest::WaitUntilFinished() {
    const auto deadline = Clock::now() + kPatience;
    while (probe->Checking() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !probe->Checking();
}

std::vector<std::string> ProbeTest::LogTexts() const {
    const std::string lines = log.Lines();
    std::vector<std::string> texts;
    for (std::size_t start = 0; start < lines.size();) {
        std::size_t end = lines.find("\r\n", start);
        if (end == std::string::npos) end = lines.size();
        texts.push_back(lines.substr(start + 10, end - start - 10));  // past " 9:05:07: "
        start = end + 2;
    }
    return texts;
}
