#include "app/pages/status_page.h"

#include <utility>

#include "app/pages/control_texts.h"
#include "app/probe_target.h"
#include "framework/data_exchange.h"
#include "framework/window_text.h"
#include "platform/user.h"
#include "res/product.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
// Fires once the page is drawn: timers come after every paint due.
constexpr UINT_PTR kAfterFirstPaintTimer = 2;
constexpr UINT kTickMilliseconds = 1100;
constexpr int kLampFrameWidth = 15;

}  // namespace

StatusPage::StatusPage(KeepAliveSession& session, Settings& settings, Autostart& autostart,
                       LanguageTexts& texts, OnlineProbe& probe)
    : PropertyPage(IDD_STATUS_PAGE),
      m_session(session),
      m_settings(settings),
      m_autostart(autostart),
      m_texts(texts),
      m_probe(probe) {
    m_session.SetView(this);
}

StatusPage::~StatusPage() {
    m_session.SetView(nullptr);
}

void StatusPage::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_STAY_ON, m_stayOnButton);
    exchange.Control(IDC_SWITCH_OFF, m_switchOffButton);
    exchange.Control(IDC_MINIMIZE, m_minimizeButton);
    exchange.Control(IDC_EXIT, m_exitButton);
    exchange.Control(IDC_LED_ONLINE, m_onlineLamp);
    exchange.Control(IDC_LED_OFFLINE, m_offlineLamp);
    exchange.Control(IDC_LED_OFF, m_offLamp);
}

void StatusPage::UpdateLamps() {
    const KeepAliveMode mode = m_session.Mode();
    m_offLamp.SetLampState(mode == KeepAliveMode::Off);
    m_offlineLamp.SetLampState(mode == KeepAliveMode::OnOffline);
    m_onlineLamp.SetLampState(mode == KeepAliveMode::OnOnline);
}

void StatusPage::StartStayOn() {
    m_session.StartStayOn();
    m_notWebAddressDue = NeedsNotWebAddressWarning(m_settings.url);
}

void StatusPage::SaveSettingsFromPage() {
    m_commitSettingsSwitches();
    TransferSettings(m_settings, Transfer::Write);
    RegisterUserAgentToken();
    m_autostart.Set(m_settings.autoStart, reinterpret_cast<platform::Window>(MainWindow()));
}

void StatusPage::LinkSettingsSwitches(std::function<void()> commit) {
    m_commitSettingsSwitches = std::move(commit);
}

void StatusPage::ScaleImages(int dpi) {
    for (IconButton* button :
         {&m_stayOnButton, &m_switchOffButton, &m_minimizeButton, &m_exitButton})
        button->SetDpi(dpi);
    for (LedButton* lamp : {&m_onlineLamp, &m_offlineLamp, &m_offLamp}) lamp->SetDpi(dpi);
}

void StatusPage::OnShown() {
    // A language file added or removed since the last look counts from here on. The look also
    // puts the first lamp's key into a file that lacks it, before the texts are read: that lamp
    // shows its key, not "y".
    m_texts.Refresh();
    m_texts.AddMissing({"Led1"});
    SetLanguageTexts();
    SetLampStateTexts();
    if (!m_shown) {
        m_shown = true;
        OnFirstShow();
    }
    UpdateLamps();
}

void StatusPage::SetLanguageTexts() {
    ShowControlTexts(Handle(), m_texts,
                     {{IDC_LED_OFF, "Led1"},
                      {IDC_LED_OFFLINE, "Led2"},
                      {IDC_LED_ONLINE, "Led3"},
                      {IDC_STAY_ON, "On"},
                      {IDC_SWITCH_OFF, "Off"},
                      {IDC_MINIMIZE, "Min2Tray"},
                      {IDC_EXIT, "Exit"}});
}

void StatusPage::SetLampStateTexts() {
    const std::string lit = m_texts.TextOr("LampLit", "lit");
    const std::string unlit = m_texts.TextOr("LampNotLit", "not lit");
    for (LedButton* lamp : {&m_onlineLamp, &m_offlineLamp, &m_offLamp})
        lamp->SetStateTexts(lit, unlit);
    m_texts.AddMissing({"LampLit", "LampNotLit"});
}

void StatusPage::OnFirstShow() {
    SetTimer(Handle(), kTickTimer, kTickMilliseconds, nullptr);
    SetTimer(Handle(), kAfterFirstPaintTimer, USER_TIMER_MINIMUM, nullptr);
    // The images are loaded once; a new scale loads them again.
    m_stayOnButton.SetIcon(IDI_STAY_ON, 0);
    m_switchOffButton.SetIcon(IDI_SWITCH_OFF, 0);
    m_minimizeButton.SetIcon(IDI_MINIMIZE, 0);
    m_exitButton.SetIcon(IDI_EXIT, 0);
    m_offLamp.SetBitmap(IDB_LED_RED, kLampFrameWidth, LampColor::kRed);
    m_offlineLamp.SetBitmap(IDB_LED_YELLOW, kLampFrameWidth, LampColor::kYellow);
    m_onlineLamp.SetBitmap(IDB_LED_GREEN, kLampFrameWidth, LampColor::kGreen);
    // A run started with "-on" is ON, online from the start, and keeps alive from here.
    if (m_session.Mode() == KeepAliveMode::OnOnline) StartStayOn();
}

bool StatusPage::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_STAY_ON:
            SaveSettingsFromPage();
            StartStayOn();
            return true;
        case IDC_SWITCH_OFF:
            m_session.SwitchOff();
            return true;
        case IDC_MINIMIZE:
            MinimizeMainWindow();
            return true;
        case IDC_EXIT:
            SaveSettingsFromPage();
            PostQuitMessage(0);
            return true;
        default:
            return false;
    }
}

bool StatusPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_TIMER && wParam == kAfterFirstPaintTimer) {
        KillTimer(Handle(), kAfterFirstPaintTimer);
        m_session.BeginHistory();
        return true;
    }
    if (message == WM_TIMER && wParam == kTickTimer) {
        m_session.Tick();
        ShowUrlWarnings();
    }
    // The tick, like every other message here, goes on to the default handling.
    return PropertyPage::OnMessage(message, wParam, lParam, result);
}

// After the tick, never inside it: the timer goes on while the box is open, and the probe does
// not wait for it.
void StatusPage::ShowUrlWarnings() {
    const auto owner = reinterpret_cast<platform::Window>(MainWindow());
    for (const std::string& text : m_probe.TakeShortUrlWarnings())
        platform::User().ShowMessage(owner, text, kMakerName, platform::MessageIcon::kNone);
    if (std::exchange(m_notWebAddressDue, false)) {
        m_texts.Refresh();
        const std::string warning = NotWebAddressWarning(m_texts);
        m_texts.AddMissing({kNotWebAddressWarningKey});
        platform::User().ShowMessage(owner, warning, kMakerName, platform::MessageIcon::kWarning);
    }
}

void StatusPage::MinimizeMainWindow() {
    ShowWindow(MainWindow(), SW_MINIMIZE);
}

void StatusPage::ShowActivity(const std::string& line) {
    SetItemText(Handle(), IDC_ACTIVITY, line);
}
