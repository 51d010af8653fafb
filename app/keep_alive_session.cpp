#include "app/keep_alive_session.h"

#include <utility>

#include "app/probe_target.h"
#include "history/history_failure.h"
#include "history/line_texts.h"
#include "history/open_history.h"
#include "keepalive/online_probe.h"
#include "settings/settings.h"

KeepAliveSession::KeepAliveSession(const Settings& settings, EventLog& log, OnlineProbe& probe)
    : m_engine(
          *this, m_mode, log,
          [this, &settings, &probe] { return TakeResult(probe.Check(ProbeTargetFor(settings))); },
          [&probe] { probe.Abandon(); }) {}

KeepAliveSession::~KeepAliveSession() {
    m_history.End();
}

void KeepAliveSession::TakeStartOptions(const StartOptions& options) {
    m_mode = options.mode == StartMode::StayOn ? KeepAliveMode::OnOnline : KeepAliveMode::Off;
    m_startInTray = options.startInTray;
}

void KeepAliveSession::BeginHistory() {
    m_history.Begin();
    if (m_mode != KeepAliveMode::Off) m_history.SwitchOn();
}

void KeepAliveSession::SetView(IRunView* view) {
    m_view = view;
}

void KeepAliveSession::SetLineView(ILineView* view) {
    m_lineView = view;
    ShowLineState();
}

// A failed write is told here, outside the engine's step, as the message box lets the timer in.
void KeepAliveSession::Tick() {
    if (std::exchange(m_startInTray, false) && m_view) m_view->MinimizeMainWindow();
    m_engine.Tick();
    m_history.Retry();
    if (m_history.TakeFailure()) TellHistoryFailure(m_history.FilePath());
}

// Stay On while ON only asks for a fresh probe: the period goes on.
void KeepAliveSession::StartStayOn() {
    if (m_mode == KeepAliveMode::Off) m_history.SwitchOn();
    m_engine.StartStayOn();
    ShowLineState();
}

void KeepAliveSession::SwitchOff() {
    if (m_mode != KeepAliveMode::Off) m_history.SwitchOff();
    m_engine.SwitchOff();
    ShowLineState();
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

void KeepAliveSession::OnSessionEnd() {
    m_history.End();
}

void KeepAliveSession::OpenHistory(platform::Window owner) {
    const std::string path = m_history.PreparedFile();
    if (path.empty()) return;
    ::OpenHistory(owner, path);
}

ProbeResult KeepAliveSession::TakeResult(ProbeResult result) {
    if (result == ProbeResult::Pending) return result;
    const std::optional<LineChange> change = m_history.Result(result == ProbeResult::Online);
    if (change && m_lineView) m_lineView->NoticeLineChange(*change);
    ShowLineState();
    return result;
}

void KeepAliveSession::ShowLineState() {
    if (m_lineView) m_lineView->ShowLineState(TipStateLine(m_history.Open()));
}

void KeepAliveSession::UpdateLamps() {
    if (m_view) m_view->UpdateLamps();
}

void KeepAliveSession::ShowActivity(const std::string& line) {
    if (m_view) m_view->ShowActivity(line);
}
