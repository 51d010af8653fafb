#pragma once

#include "app/pages/about_page.h"
#include "app/pages/settings_page.h"
#include "app/pages/status_page.h"
#include "app/tray_icon.h"
#include "framework/modeless_sheet.h"
#include "settings/autostart.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"

class AutodialSwitch;
class KeepAliveSession;
class OnlineProbe;

// The main window: a modeless sheet with the status, settings and about pages that hides into
// the notification area when minimized. It owns its pages and its notification-area icon; the
// run's state it shows (settings, language texts, the keep-alive session, the probe) belongs to
// the application object. A live window frees its own sheet when it is destroyed.
class MainSheet : public ModelessSheet {
  public:
    // Builds the sheet from the settings and the language state as start-up has read them.
    MainSheet(const Folders& folders, Settings& settings, LanguageTexts& texts,
              Autostart& autostart, KeepAliveSession& session, AutodialSwitch& autodial,
              OnlineProbe& probe);
    ~MainSheet() override;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;

  private:
    // The German edition's name with a language file in use, else the product's.
    static std::string Caption(const LanguageTexts& texts);
    void SetTabCaptions();
    void OnSize(UINT type);
    void FitAroundTabControl();
    void OnDpiChanged(int dpi, const RECT& suggested);
    LRESULT OnIconNotify(WPARAM wParam, LPARAM lParam);
    void ShowTrayMenu(int x, int y);
    void OnTrayExit();
    void OnShowRequest();
    void OnExitRequest();
    void OnTaskbarCreated();
    bool OnPaintIconic();
    void PressButtonAndClose(int button);

    AboutPage m_aboutPage;
    StatusPage m_statusPage;
    SettingsPage m_settingsPage;
    LanguageTexts& m_texts;
    KeepAliveSession& m_session;
    AutodialSwitch& m_autodial;
    OnlineProbe& m_probe;
    HICON m_icon = nullptr;  // a shared resource icon: the system frees it with the module
    bool m_fitted = false;
    TrayIcon m_tray{*this, m_texts};
};
