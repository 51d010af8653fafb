#pragma once

#include <memory>
#include <string>

#include "app/single_instance.h"
#include "framework/app.h"
#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/online_probe.h"
#include "keepalive/run_state.h"
#include "settings/autostart.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"

class MainSheet;

// The application object: builds the main window and lets the message loop run, or hands over
// to the user's running start.
class KeepAliveApp : public App {
  public:
    BOOL InitInstance() override;

    // A probe may still be running with autodial switched off: it is cancelled, and the user
    // gets the values back.
    void EndProbing();

    // The process's exit code when InitInstance ends the run before the message loop.
    int m_exitCode = 1;

  private:
    BOOL Uninstall(const std::string& name);
    void RepairAutodial();
    std::unique_ptr<MainSheet> MakeMainSheet();

    std::unique_ptr<InstanceLock> m_instance;
    // What the run keeps for its whole length; the windows hold references to it.
    Folders m_folders = RecordFolders();
    Settings m_settings;
    LanguageTexts m_texts{m_folders.LanguageFilePath()};
    Autostart m_autostart{m_folders, m_texts};
    RunState m_run;
    EventLog m_log;
    // Shared with the probe's workers, which may outlive the run.
    std::shared_ptr<AutodialSwitch> m_autodial = std::make_shared<AutodialSwitch>();
    OnlineProbe m_probe{m_log, m_autodial};
};
