#pragma once

#include <string>

#include "framework/property_page.h"
#include "keepalive/online_probe.h"
#include "settings/language.h"
#include "settings/settings.h"

// The settings page: keep-alive URL, autostart and redial switches. It keeps working copies of
// the switches; the status page has them committed.
class SettingsPage : public PropertyPage {
  public:
    SettingsPage(Settings& settings, LanguageTexts& texts, OnlineProbe& probe);

    // The working copies from the settings, as read at start-up.
    void LoadSwitches();
    // The working copies into the settings.
    void CommitSwitches();

  protected:
    void DoDataExchange(DataExchange& exchange) override;
    void OnShown() override;
    bool OnCommand(WORD id, WORD code) override;

  private:
    void OpenInternetProperties();
    void ShowRedialHelp();
    void ChangeUrl();

    Settings& m_settings;
    LanguageTexts& m_texts;
    OnlineProbe& m_probe;
    bool m_autostart = false;
    bool m_redial = false;
    std::string m_url;
};
