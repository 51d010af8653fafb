#include "app/start_options.h"

#include "app/command_line.h"
#include "keepalive/run_state.h"

void EvaluateCommandLine(int argc, const char* const* argv) {
    g_bStartInTray = 0;
    CCommandLine commandLine;
    if (commandLine.Parse(argc, argv) < 1) {
        g_mode = KeepAliveMode::Off;
        return;
    }
    if (commandLine.HasOption("-tray")) g_bStartInTray = 1;
    if (commandLine.HasOption("-on")) g_mode = KeepAliveMode::OnOnline;
    if (commandLine.HasOption("-uninstall")) g_mode = KeepAliveMode::Uninstall;
}
