#include "app/start_options.h"

#include "app/command_line.h"
#include "keepalive/run_state.h"

void EvaluateCommandLine(int argc, const char* const* argv, RunState& run) {
    run.startInTray = false;
    CommandLine commandLine;
    if (commandLine.Parse(argc, argv) < 1) {
        run.mode = KeepAliveMode::Off;
        return;
    }
    if (commandLine.HasOption("-tray")) run.startInTray = true;
    if (commandLine.HasOption("-on")) run.mode = KeepAliveMode::OnOnline;
    if (commandLine.HasOption("-uninstall")) run.mode = KeepAliveMode::Uninstall;
}
