#include "settings/autostart.h"

#include "app/shared_texts.h"
#include "platform/files.h"
#include "settings/autostart_name.h"
#include "settings/debug_trace.h"
#include "settings/folders.h"
#include "settings/shell_link.h"

namespace {

constexpr const char* kAutostartArguments = "-tray -on";

}  // namespace

int CreateShortcut(const std::string& linkFile, const std::string& workingDirectory,
                   const std::string& target, const std::string& arguments,
                   const std::string& name) {
    // COM stays initialised for the rest of the run; a second call on the thread is success.
    if (FAILED(CoInitialize(nullptr))) {
        DebugTrace("Failed to initialize OLE\n");
        return -1;
    }
    CShellLinkInfo info;
    info.m_sTarget = target;
    info.m_sArguments = arguments;
    info.m_sWorkingDirectory = workingDirectory;
    info.m_sDescription = name;
    info.m_sIconLocation = target;
    info.m_nIconIndex = 0;
    info.m_nShowCmd = SW_SHOWNORMAL;
    CShellLink link;
    return link.Create(info) && link.Save(linkFile.c_str()) ? 1 : -1;
}

int UpdateStartupShortcut(const std::string& target, const std::string& arguments,
                          const std::string& name, int on) {
    const std::string linkFile = StartupLinkFile(name);
    if (linkFile.empty()) return on ? -1 : 0;
    if (!on) {
        platform::Files().DeleteFileA(linkFile.c_str());
        return 0;
    }
    return CreateShortcut(linkFile, g_strCurrentDir, target, arguments, name) < 0 ? -1 : 0;
}

int SetAutostart(int on) {
    UpdateStartupShortcut(g_szProgramPath, kAutostartArguments, AutostartLinkName(), on);
    return 0;
}
