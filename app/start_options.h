#pragma once

struct RunState;

// Evaluates "-tray", "-on" and "-uninstall" into run; "-uninstall" wins over "-on".
void EvaluateCommandLine(int argc, const char* const* argv, RunState& run);
