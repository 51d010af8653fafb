#include "app/keep_alive_app.h"

#include <commctrl.h>

#include "app/first_run_dialog.h"
#include "app/main_sheet.h"
#include "app/uninstall.h"
#include "platform/process.h"
#include "platform/user.h"
#include "res/product.h"

namespace {

constexpr DWORD kMainWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;

// The Nimbrel already running could not be reached or did not end.
constexpr int kExitRunningNotReached = 2;

constexpr const char* kStillRunning =
    "Nimbrel is still running and did not end, so nothing was removed.\n"
    "Please end it with Exit on its status page, then try again.";

}  // namespace

BOOL KeepAliveApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const StartOptions options =
        EvaluateCommandLine(platform::Process().ArgumentCount(), platform::Process().Arguments());

    const std::string name = InstanceName();
    m_instance = std::make_unique<InstanceLock>(name);
    if (options.mode == StartMode::Uninstall) return Uninstall(name, options.quiet);
    if (!HandOverToRunningInstance(name)) return FALSE;
    RepairAutodial();
    ReadSettings();
    m_session.TakeStartOptions(options);

    // Built before the first-run dialog: its caption follows the language state as just read.
    auto sheet = MakeMainSheet();
    if (!AskForUrlOnFirstRun()) {
        EndProbing();
        m_exitCode = 0;
        return FALSE;
    }
    // Without a window there is nothing to run: end at once rather than loop unseen.
    if (!sheet->Create(kMainWindowStyle)) return FALSE;
    m_mainWindow = sheet.release()->Handle();  // a live window frees its own sheet
    return TRUE;
}

// A Nimbrel of the same user that is already running ends through its own Exit first, or its
// next Exit would write back what the uninstall removes. One that does not end (busy, hung, or in
// another of the user's sessions, where its window cannot be reached) leaves everything in place.
BOOL KeepAliveApp::Uninstall(const std::string& name, bool quiet) {
    if (!m_instance->Owned() && EndRunningInstance(*m_instance, name) != HandOver::kOwned) {
        m_exitCode = kExitRunningNotReached;
        if (!quiet)
            platform::User().ShowMessage(0, kStillRunning, kProductName,
                                         platform::MessageIcon::kWarning);
        return FALSE;
    }
    m_exitCode = 0;
    RepairAutodial();
    // The same reading as every start; the language state names the shortcut to remove.
    ReadSettings();
    RemoveProgramTraces(m_autostart);
    return FALSE;
}

// A second start shows the running one's window and ends; false when this run ends here.
bool KeepAliveApp::HandOverToRunningInstance(const std::string& name) {
    if (m_instance->Owned()) return true;
    const HandOver handOver = ShowRunningInstance(*m_instance, name);
    if (handOver == HandOver::kOwned) return true;
    m_exitCode = handOver == HandOver::kDone ? 0 : kExitRunningNotReached;
    return false;
}

// Autodial values an earlier run left switched off come back. Only the first Nimbrel of the user
// may do this: a second start would put them back in the middle of the first one's probe.
void KeepAliveApp::RepairAutodial() {
    m_autodial->Repair();
}

// The stored settings, with the user-agent token each transfer registers, then whether the
// language file is in use for this run.
void KeepAliveApp::ReadSettings() {
    TransferSettings(m_settings, Transfer::Read);
    RegisterUserAgentToken();
    m_texts.ApplyOffSwitch();
}

// A first run asks for the keep-alive URL before the main window exists. The first run counts
// as over once the settings are next saved; a run that ends without a save asks again. False
// when an exit request ended the run in the dialog.
bool KeepAliveApp::AskForUrlOnFirstRun() {
    if (!m_settings.firstTime) return true;
    m_settings.firstTime = false;
    FirstRunDialog dialog(m_settings, m_texts, m_probe, *m_autodial);
    dialog.DoModal(nullptr);
    return !dialog.ExitRequested();
}

std::unique_ptr<MainSheet> KeepAliveApp::MakeMainSheet() {
    return std::make_unique<MainSheet>(m_folders, m_settings, m_texts, m_autostart, m_session,
                                       *m_autodial, m_probe);
}

void KeepAliveApp::EndProbing() {
    m_probe.End();
    m_autodial->RestoreAtExit();
}
