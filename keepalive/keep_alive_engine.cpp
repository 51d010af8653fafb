#include "keepalive/keep_alive_engine.h"

#include <utility>

#include "keepalive/online_probe.h"
#include "keepalive/run_state.h"
#include "ui/event_log.h"

namespace {

constexpr int kLongestDots = 21;
constexpr int kSecondsAfterInterval = 10;
constexpr const char* kPendingLine = "<:>";

}  // namespace

KeepAliveEngine::KeepAliveEngine(IKeepAliveView& view, std::function<int()> probe,
                                 std::function<void()> abandon)
    : m_view(view), m_probe(std::move(probe)), m_abandon(std::move(abandon)) {}

void KeepAliveEngine::Tick() {
    if (g_bStartInTray == 1) {
        m_view.MinimiseMainWindow();
        g_bStartInTray = 0;
    }
    if (g_mode == KeepAliveMode::OnOffline || g_mode == KeepAliveMode::OnOnline) {
        const bool due = m_countdown.IsDue();
        if (due || m_bProbePending == 1 || m_bForceProbe == 1) Probe();
    }
    ShowActivity();
}

void KeepAliveEngine::Probe() {
    m_bForceProbe = 0;
    m_countdown.Disarm();
    switch (m_probe()) {
        case kProbeOffline:
            TakeResult(KeepAliveMode::OnOffline, "PC not online -> nichts weiter zu tun");
            break;
        case kProbeOnline:
            TakeResult(KeepAliveMode::OnOnline, "PC Online");
            break;
        default:
            m_bProbePending = 1;
            break;
    }
}

void KeepAliveEngine::TakeResult(KeepAliveMode mode, const char* logLine) {
    m_bProbePending = 0;
    g_mode = mode;
    g_eventLog.Write(logLine);
    m_view.UpdateLamps();
    m_countdown.SetInterval(m_nIntervalHours, m_nIntervalMinutes, kSecondsAfterInterval);
    m_countdown.StartNow();
}

void KeepAliveEngine::ShowActivity() {
    if (m_bProbePending == 1) {
        m_view.ShowActivity(kPendingLine);
        return;
    }
    if (m_nDots >= kLongestDots) {
        m_strDots.clear();
        m_nDots = 0;
    }
    m_strDots += '.';
    ++m_nDots;
    m_view.ShowActivity(m_strDots);
}

// A result from before a Switch off may be minutes old: it says nothing about the line now.
void KeepAliveEngine::StartStayOn() {
    m_abandon();
    m_bProbePending = 0;
    m_nIntervalHours = 0;
    m_nIntervalMinutes = 5;
    m_bForceProbe = 1;
    g_mode = KeepAliveMode::OnOnline;
    m_view.UpdateLamps();
    m_countdown.StartNow();
    m_countdown.SetInterval(0, 5, 0);
}

void KeepAliveEngine::SwitchOff() {
    g_mode = KeepAliveMode::Off;
    m_view.UpdateLamps();
}
