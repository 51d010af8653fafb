#include "app/keep_alive_session.h"

#include <utility>

#include "app/probe_target.h"
#include "keepalive/online_probe.h"
#include "settings/settings.h"

KeepAliveSession::KeepAliveSession(const Settings& settings, EventLog& log, OnlineProbe& probe)
    : m_engine(
          *this, m_mode, log, [&settings, &probe] { return probe.Check(ProbeTargetFor(settings)); },
          [&probe] { probe.Abandon(); }) {}

void KeepAliveSession::TakeStartOptions(const StartOptions& options) {
    m_mode = options.mode == StartMode::StayOn ? KeepAliveMode::OnOnline : KeepAliveMode::Off;
    m_startInTray = options.startInTray;
}

void KeepAliveSession::SetView(IRunView* view) {
    m_view = view;
}

void KeepAliveSession::Tick() {
    if (std::exchange(m_startInTray, false) && m_view) m_view->MinimiseMainWindow();
    m_engine.Tick();
}

void KeepAliveSession::StartStayOn() {
    m_engine.StartStayOn();
}

void KeepAliveSession::SwitchOff() {
    m_engine.SwitchOff();
}

void KeepAliveSession::OnResume() {
    m_engine.OnResume();
}

void KeepAliveSession::HoldForSessionEnd() {
    m_engine.HoldForSessionEnd();
}

void KeepAliveSession::ResumeAfterCancelledEnd() {
    m_engine.ResumeAfterCancelledEnd();
}

void KeepAliveSession::KeepOnScreen() {
    m_startInTray = false;
}

void KeepAliveSession::UpdateLamps() {
    if (m_view) m_view->UpdateLamps();
}

void KeepAliveSession::ShowActivity(const std::string& line) {
    if (m_view) m_view->ShowActivity(line);
}
