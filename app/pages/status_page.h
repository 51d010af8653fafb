#pragma once

#include <functional>
#include <string>

#include "framework/property_page.h"
#include "keepalive/keep_alive_engine.h"
#include "settings/autostart.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/icon_button.h"
#include "ui/led_button.h"

// The status page: the keep-alive engine's timer, its three lamps and the buttons Stay On,
// Switch off, Minimize and Exit.
class StatusPage : public PropertyPage, private IKeepAliveView {
  public:
    StatusPage(Settings& settings, Autostart& autostart, LanguageTexts& texts, RunState& run,
               EventLog& log, OnlineProbe& probe);

    // Lights the lamp for the run's mode and puts out the others.
    void UpdateLamps() override;
    void StartStayOn();
    // The system is back from sleep or hibernation.
    void OnResume();
    // Commits the settings page's switches with the rest of the settings.
    void SaveSettingsFromPage();
    void UninstallAndQuit();
    // The main window links the step that commits the settings page's switches.
    void LinkSettingsSwitches(std::function<void()> commit);
    // The page is now drawn at dpi: its button icons and lamps follow.
    void ScaleImages(int dpi);

  protected:
    void DoDataExchange(DataExchange& exchange) override;
    void OnShowWindow(bool show) override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void MinimiseMainWindow() override;
    void ShowActivity(const std::string& line) override;
    void SetLanguageTexts();
    void ShowUrlWarnings();
    void OnFirstShow();
    // The sheet that holds the page: the owner of its boxes, and what Minimize hides.
    HWND MainWindow() const { return GetParent(m_window); }

    IconButton m_stayOnButton;
    IconButton m_switchOffButton;
    IconButton m_minimizeButton;
    IconButton m_exitButton;
    LedButton m_onlineLamp{false, true};
    LedButton m_offlineLamp{false, true};
    LedButton m_offLamp{false, true};
    Settings& m_settings;
    Autostart& m_autostart;
    LanguageTexts& m_texts;
    RunState& m_run;
    OnlineProbe& m_probe;
    KeepAliveEngine m_engine;
    bool m_shown = false;
    bool m_notWebAddressDue = false;  // told after the next tick, once for each switch-on
    std::function<void()> m_commitSettingsSwitches = [] {};
};
