#pragma once

#include <memory>
#include <string>

#include "app/keep_alive_session.h"
#include "app/single_instance.h"
#include "app/start_options.h"
#include "framework/app.h"
#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/online_probe.h"
#include "settings/autostart.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"

class MainSheet;

// The application object: it owns the run's state, builds the main window and lets the message
// loop run, or hands over to the user's Nimbrel that is already running, or removes the program's
// traces.
class KeepAliveApp : public App {
  public:
    BOOL InitInstance() override;

    // A probe may still be running with autodial switched off: it is cancelled, and the user
    // gets the values back.
    void EndProbing();

    // The process's exit code when InitInstance ends the run before the message loop.
    int m_exitCode = 1;

  private:
    BOOL Uninstall(const std::string& name, bool quiet);
    bool HandOverToRunningInstance(const std::string& name);
    void RepairAutodial();
    void ReadSettings();
    bool AskForUrlOnFirstRun();
    std::unique_ptr<MainSheet> MakeMainSheet();

    std::unique_ptr<InstanceLock> m_instance;
    // What the run keeps for its whole length; the windows hold references to it.
    Folders m_folders = RecordFolders();
    Settings m_settings;
    LanguageTexts m_texts{m_folders.LanguageFilePath()};
    Autostart m_autostart{m_folders, m_texts};
    EventLog m_log;
    // Shared with the probe's workers, which may outlive the run.
    std::shared_ptr<AutodialSwitch> m_autodial = std::make_shared<AutodialSwitch>();
    OnlineProbe m_probe{m_log, m_autodial};
    // The engine, the mode and the start into the tray; the status page shows them.
    KeepAliveSession m_session{m_settings, m_log, m_probe};
};
