#include "settings/autostart.h"

#include "base/wide_text.h"
#include "platform/files.h"
#include "settings/autostart_name.h"
#include "settings/debug_trace.h"
#include "settings/shell_link.h"
#include "settings/written_shortcut.h"

namespace {

constexpr const char* kAutostartArguments = "-tray -on";

// Removes the shortcut written under an earlier name, unless that is the file named now.
void RemoveEarlierShortcut(const std::string& startupFolder, const std::string& written,
                           const std::string& fileName) {
    if (!written.empty() && lstrcmpiW(ToWide(written).c_str(), ToWide(fileName).c_str()) != 0)
        platform::Files().RemoveFile(startupFolder + written);
}

}  // namespace

bool CreateShortcut(const std::string& linkFile, const std::string& workingDirectory,
                    const std::string& target, const std::string& arguments,
                    const std::string& name) {
    // COM stays initialized for the rest of the run; a second call on the thread is success.
    if (FAILED(CoInitialize(nullptr))) {
        DebugTrace("Failed to initialize OLE\n");
        return false;
    }
    ShellLinkInfo info;
    info.m_target = target;
    info.m_arguments = arguments;
    info.m_workingDirectory = workingDirectory;
    info.m_description = name;
    info.m_iconLocation = target;
    info.m_iconIndex = 0;
    info.m_showCmd = SW_SHOWNORMAL;
    ShellLink link;
    return link.Create(info) && link.Save(linkFile);
}

bool UpdateStartupShortcut(Folders& folders, const std::string& target,
                           const std::string& arguments, const std::string& name, bool on) {
    // Looked up now, not at start-up; creating, the shell makes a folder this profile lacks.
    RecordStartupFolder(folders, on);
    const std::string linkFile = StartupLinkFile(folders.startupFolder, name);
    if (linkFile.empty()) return !on;
    if (!on) {
        platform::Files().RemoveFile(linkFile);
        return true;
    }
    return CreateShortcut(linkFile, folders.startDir, target, arguments, name);
}

Autostart::Autostart(Folders& folders, LanguageTexts& texts) : m_folders(folders), m_texts(texts) {}

void Autostart::Set(bool on, platform::Window owner) {
    // A language file added or removed since the status page last looked counts from here on,
    // for the name and for the pages shown next; the key goes into a file that lacks it.
    m_texts.Refresh();
    const std::string name = AutostartLinkName(m_texts);
    m_texts.AddMissing({kAutostartLinkKey});
    const std::string fileName = name + ".lnk";
    const std::string written = ReadWrittenShortcut();
    const std::string& program = m_folders.programPath;
    if (!on) {
        UpdateStartupShortcut(m_folders, program, kAutostartArguments, name, false);
        RemoveEarlierShortcut(m_folders.startupFolder, written, fileName);
        ForgetWrittenShortcut();
        return;
    }
    if (!UpdateStartupShortcut(m_folders, program, kAutostartArguments, name, true)) {
        m_failureNotice.Tell(owner, m_folders.startupFolder);
        return;
    }
    RemoveEarlierShortcut(m_folders.startupFolder, written, fileName);
    RememberWrittenShortcut(fileName);
}
