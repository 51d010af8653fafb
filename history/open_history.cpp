#include "history/open_history.h"

#include "platform/shell.h"

void OpenHistory(platform::Window owner, const std::string& path) {
    if (platform::ShellOpened(platform::Shell().Open(owner, path))) return;
    platform::Shell().StartProgram("notepad.exe \"" + path + "\"");
}
