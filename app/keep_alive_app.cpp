#include "app/keep_alive_app.h"

#include <commctrl.h>

#include "app/main_sheet.h"
#include "app/pages/url_dialog.h"
#include "app/uninstall.h"
#include "platform/process.h"

namespace {

constexpr DWORD kMainWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;

// The Nimbrel already running could not be reached (still in its first-run dialog, or hung).
constexpr int kExitRunningNotReached = 2;

}  // namespace

BOOL KeepAliveApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const StartOptions options =
        EvaluateCommandLine(platform::Process().ArgumentCount(), platform::Process().Arguments());

    const std::string name = InstanceName();
    m_instance = std::make_unique<InstanceLock>(name);
    if (options.mode == StartMode::Uninstall) return Uninstall(name);
    if (!HandOverToRunningInstance(name)) return FALSE;
    RepairAutodial();
    ReadSettings();
    m_session.TakeStartOptions(options);

    // Built before the first-run dialog: its caption follows the language state as just read.
    auto sheet = MakeMainSheet();
    AskForUrlOnFirstRun();
    // Without a window there is nothing to run: end at once rather than loop unseen.
    if (!sheet->Create(kMainWindowStyle)) return FALSE;
    m_mainWindow = sheet.release()->m_window;  // a live window frees its own sheet
    return TRUE;
}

// A Nimbrel of the same user that is already running ends through its own Exit first, or its
// next Exit would write back what the uninstall removes. Nothing is shown, so an uninstaller
// never waits on us.
BOOL KeepAliveApp::Uninstall(const std::string& name) {
    m_exitCode = 0;
    if (!m_instance->Owned() && EndRunningInstance(*m_instance, name) != HandOver::kOwned)
        m_exitCode = kExitRunningNotReached;
    if (m_instance->Owned()) RepairAutodial();
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
// as over once the settings are next saved; a run that ends without a save asks again.
void KeepAliveApp::AskForUrlOnFirstRun() {
    if (!m_settings.firstTime) return;
    m_settings.firstTime = false;
    UrlDialog dialog(m_settings, m_texts, m_probe);
    dialog.DoModal(nullptr);
}

std::unique_ptr<MainSheet> KeepAliveApp::MakeMainSheet() {
    return std::make_unique<MainSheet>(m_folders, m_settings, m_texts, m_autostart, m_session,
                                       *m_autodial, m_probe);
}

void KeepAliveApp::EndProbing() {
    m_probe.Abandon();
    m_autodial->RestoreAtExit();
}
