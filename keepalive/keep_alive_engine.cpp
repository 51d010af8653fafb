#include "keepalive/keep_alive_engine.h"

#include <utility>

#include "keepalive/event_log.h"

namespace {

constexpr std::size_t kLongestDots = 21;
constexpr int kSecondsAfterInterval = 10;
constexpr const char* kPendingLine = "<:>";

}  // namespace

KeepAliveEngine::KeepAliveEngine(IKeepAliveView& view, KeepAliveMode& mode, EventLog& log,
                                 std::function<ProbeResult()> probe, std::function<void()> abandon)
    : m_view(view),
      m_mode(mode),
      m_log(log),
      m_probe(std::move(probe)),
      m_abandon(std::move(abandon)) {}

void KeepAliveEngine::Tick() {
    if (IsOn() && !m_holding) {
        const bool due = m_countdown.IsDue();
        if (due || m_probePending || m_forceProbe) Probe();
    }
    ShowActivity();
}

bool KeepAliveEngine::IsOn() const {
    return m_mode == KeepAliveMode::OnOffline || m_mode == KeepAliveMode::OnOnline;
}

void KeepAliveEngine::Probe() {
    m_forceProbe = false;
    m_countdown.Disarm();
    switch (m_probe()) {
        case ProbeResult::Offline:
            TakeResult(KeepAliveMode::OnOffline, "PC not online -> nichts weiter zu tun");
            break;
        case ProbeResult::Online:
            TakeResult(KeepAliveMode::OnOnline, "PC Online");
            break;
        case ProbeResult::Pending:
            m_probePending = true;
            break;
    }
}

void KeepAliveEngine::TakeResult(KeepAliveMode mode, const char* logLine) {
    m_probePending = false;
    m_mode = mode;
    m_log.Write(logLine);
    m_view.UpdateLamps();
    m_countdown.SetInterval(m_intervalHours, m_intervalMinutes, kSecondsAfterInterval);
    m_countdown.StartNow();
}

void KeepAliveEngine::DropProbe() {
    m_abandon();
    m_probePending = false;
}

void KeepAliveEngine::ShowActivity() {
    if (m_probePending) {
        m_view.ShowActivity(kPendingLine);
        return;
    }
    if (m_dots.size() >= kLongestDots) m_dots.clear();
    m_dots += '.';
    m_view.ShowActivity(m_dots);
}

// A result from before a Switch off may be minutes old: it says nothing about the line now.
void KeepAliveEngine::StartStayOn() {
    DropProbe();
    m_intervalHours = 0;
    m_intervalMinutes = 5;
    m_forceProbe = true;
    m_mode = KeepAliveMode::OnOnline;
    m_view.UpdateLamps();
    m_countdown.StartNow();
    m_countdown.SetInterval(0, 5, 0);
}

// The probe's result would never be taken: it is cancelled, so that it neither holds autodial
// off nor keeps its connection while OFF.
void KeepAliveEngine::SwitchOff() {
    DropProbe();
    m_mode = KeepAliveMode::Off;
    m_view.UpdateLamps();
}

// The line may have dropped during the sleep, and a probe from before it may never end: the
// countdown starts again from a fresh result.
void KeepAliveEngine::OnResume() {
    if (!IsOn()) return;
    DropProbe();
    Probe();
}

// The dropped probe stays pending, so it is made again and nothing counts as offline.
void KeepAliveEngine::HoldForSessionEnd() {
    m_holding = true;
    if (m_probePending) m_abandon();
}

void KeepAliveEngine::ResumeAfterCancelledEnd() {
    m_holding = false;
}
