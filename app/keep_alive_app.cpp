#include "app/keep_alive_app.h"

#include <commctrl.h>

#include "app/main_sheet.h"
#include "app/start_options.h"
#include "platform/process.h"

namespace {

constexpr DWORD kMainWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;

// The running start could not be reached (still in its first-run dialog, or hung).
constexpr int kExitRunningNotReached = 2;

}  // namespace

BOOL KeepAliveApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    EvaluateCommandLine(platform::Process().ArgumentCount(), platform::Process().Arguments(),
                        m_run);

    const std::string name = InstanceName();
    m_instance = std::make_unique<InstanceLock>(name);
    if (m_run.mode == KeepAliveMode::Uninstall) return Uninstall(name);
    if (!m_instance->Owned()) {
        const HandOver handOver = ShowRunningInstance(*m_instance, name);
        if (handOver != HandOver::kOwned) {
            m_exitCode = handOver == HandOver::kDone ? 0 : kExitRunningNotReached;
            return FALSE;
        }
    }
    RepairAutodial();

    auto sheet = MakeMainSheet();
    // Without a window there is nothing to run: end at once rather than loop unseen.
    if (!sheet->Create(kMainWindowStyle)) return FALSE;
    m_mainWindow = sheet.release()->m_window;  // a live window frees its own sheet
    return TRUE;
}

// The running start of the same user ends through its own Exit first, or its next Exit would
// write back what the uninstall removes. Nothing is shown, so an uninstaller never waits on us.
BOOL KeepAliveApp::Uninstall(const std::string& name) {
    m_exitCode = 0;
    if (!m_instance->Owned() && EndRunningInstance(*m_instance, name) != HandOver::kOwned)
        m_exitCode = kExitRunningNotReached;
    if (m_instance->Owned()) RepairAutodial();
    // The sheet reads the settings and the language state the removal needs.
    MakeMainSheet()->m_statusPage.UninstallAndQuit();
    return FALSE;
}

// Autodial values an earlier run left switched off come back. Only the user's running start may
// do this: a second start would put them back in the middle of the running one's probe.
void KeepAliveApp::RepairAutodial() {
    m_autodial->Repair();
}

void KeepAliveApp::EndProbing() {
    m_probe.Abandon();
    m_autodial->RestoreAtExit();
}

std::unique_ptr<MainSheet> KeepAliveApp::MakeMainSheet() {
    return std::make_unique<MainSheet>(m_folders, m_settings, m_texts, m_autostart, m_run, m_log,
                                       *m_autodial, m_probe);
}
