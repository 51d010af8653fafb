#include "app/start_options.h"

#include "app/command_line.h"

StartOptions EvaluateCommandLine(int argc, const char* const* argv) {
    StartOptions options;
    CommandLine commandLine;
    if (commandLine.Parse(argc, argv) < 1) return options;
    options.startInTray = commandLine.HasOption("-tray");
    if (commandLine.HasOption("-on")) options.mode = StartMode::StayOn;
    if (commandLine.HasOption("-uninstall")) options.mode = StartMode::Uninstall;
    options.quiet = commandLine.HasOption("-quiet");
    return options;
}
