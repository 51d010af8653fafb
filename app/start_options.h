#pragma once

// Evaluates "-tray", "-on" and "-uninstall" into the run state; "-uninstall" wins over "-on".
void EvaluateCommandLine(int argc, const char* const* argv);
