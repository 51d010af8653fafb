#pragma once

#include <functional>
#include <string>

#include "app/keep_alive_session.h"
#include "framework/property_page.h"
#include "settings/autostart.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/icon_button.h"
#include "ui/led_button.h"

// The status page: the keep-alive session's three lamps and activity line, and the buttons
// Stay On, Switch off, Minimize and Exit. It drives the session with its timer and shows it
// from construction to destruction; the session and everything else it refers to belong to the
// application object.
class StatusPage : public PropertyPage, private IRunView {
  public:
    StatusPage(KeepAliveSession& session, Settings& settings, Autostart& autostart,
               LanguageTexts& texts, OnlineProbe& probe);
    ~StatusPage() override;

    // Commits the settings page's switches with the rest of the settings.
    void SaveSettingsFromPage();
    // The main window links the step that commits the settings page's switches.
    void LinkSettingsSwitches(std::function<void()> commit);
    // The page is now drawn at dpi: its button icons and lamps follow.
    void ScaleImages(int dpi);

  protected:
    void DoDataExchange(DataExchange& exchange) override;
    void OnShown() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    // Lights the lamp for the run's mode and puts out the others.
    void UpdateLamps() override;
    void MinimizeMainWindow() override;
    void ShowActivity(const std::string& line) override;
    void StartStayOn();
    void SetLanguageTexts();
    // What a screen reader says for a lit and an unlit lamp.
    void SetLampStateTexts();
    void ShowUrlWarnings();
    void OnFirstShow();
    // The sheet that holds the page: the owner of its boxes, and what Minimize hides.
    HWND MainWindow() const { return GetParent(Handle()); }

    IconButton m_stayOnButton;
    IconButton m_switchOffButton;
    IconButton m_minimizeButton;
    IconButton m_exitButton;
    LedButton m_onlineLamp{false, true};
    LedButton m_offlineLamp{false, true};
    LedButton m_offLamp{false, true};
    KeepAliveSession& m_session;
    Settings& m_settings;
    Autostart& m_autostart;
    LanguageTexts& m_texts;
    OnlineProbe& m_probe;
    bool m_shown = false;
    bool m_notWebAddressDue = false;  // told after the next tick, once for each switch-on
    std::function<void()> m_commitSettingsSwitches = [] {};
};
