#pragma once

#include <functional>
#include <string>

#include "framework/property_page.h"
#include "settings/language.h"
#include "settings/settings.h"

// The settings page: keep-alive URL, autostart and redial switches. It keeps working copies;
// the status page commits the switches.
class SettingsPage : public PropertyPage {
  public:
    SettingsPage(Settings& settings, LanguageTexts& texts);

    int m_autostart = 0;
    int m_redial = 0;
    std::string m_url;

    // The main window links the keep-alive URL dialog here: it shows the dialog over `owner` and
    // is true when the dialog closed with OK.
    void LinkUrlDialog(std::function<bool(HWND owner)> runDialog);

  protected:
    void DoDataExchange(DataExchange& exchange) override;
    void OnShowWindow(bool show) override;
    bool OnCommand(WORD id, WORD code) override;

  private:
    void OpenInternetProperties();
    void ShowRedialHelp();
    void ChangeUrl();

    Settings& m_settings;
    LanguageTexts& m_texts;
    std::function<bool(HWND owner)> m_runUrlDialog = [](HWND) { return false; };
};
