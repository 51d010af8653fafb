#pragma once

#include "framework/property_sheet.h"
#include "app/pages/status_page.h"
#include "app/pages/settings_page.h"
#include "app/pages/about_page.h"
#include "settings/autostart.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"

class AutodialSwitch;
class EventLog;
class OnlineProbe;
struct RunState;

// The main window: a modeless sheet with the status, settings and about pages that hides into
// the notification area when minimised.
class CMainSheet : public CPropertySheet {
  public:
    // Reads the settings and the language switch, and asks for the keep-alive URL on a first run.
    CMainSheet(const Folders& folders, Settings& settings, LanguageTexts& texts,
               Autostart& autostart, RunState& run, EventLog& log, AutodialSwitch& autodial,
               OnlineProbe& probe);
    ~CMainSheet() override;

    AboutPage m_pageAbout;
    StatusPage m_pageStatus;
    SettingsPage m_pageSettings;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;

  private:
    void ChooseCaption();
    void SetTabCaptions();
    void OnSize(UINT type);
    void FitAroundTabControl();
    LRESULT OnIconNotify(WPARAM wParam, LPARAM lParam);
    void ShowTrayMenu();
    void OnTrayExit();
    void OnShowRequest();
    void OnExitRequest();
    void OnTaskbarCreated();
    bool OnPaintIconic();
    void PressButtonAndClose(int button);

    Settings& m_settings;
    LanguageTexts& m_texts;
    RunState& m_run;
    AutodialSwitch& m_autodial;
    OnlineProbe& m_probe;
    HICON m_hIcon = nullptr;  // a shared resource icon: the system frees it with the module
    bool m_bFitted = false;
};
