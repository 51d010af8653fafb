#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/tray_icon.h"

// Drives the real nimbrel.exe from outside: starts it, finds its windows, reads their texts,
// watches the notification area and the registry.
namespace driver {

using namespace std::chrono_literals;

// The static that holds the text of a system message box.
inline constexpr int kMessageBoxText = 0xFFFF;

// Polls until the condition holds or the time is up; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// The folder of the test programs and of nimbrel.exe, with a trailing backslash.
std::string OwnFolder();

// How a test starts the program, beyond its arguments.
struct Launch {
    std::string arguments;
    std::string folder = OwnFolder();  // holds nimbrel.exe; with a trailing backslash
    std::string commandName;           // the command line's first word; the full path if empty
    std::string currentDirectory;      // the folder if empty
};

// A started nimbrel.exe from the test's own folder; ended by process id when the test is over.
class Nimbrel {
  public:
    explicit Nimbrel(const std::string& arguments = "");
    // The same, from a copy of the program in another folder (written with a trailing backslash).
    Nimbrel(const std::string& arguments, const std::string& folder);
    explicit Nimbrel(const Launch& launch);
    Nimbrel(const Nimbrel&) = delete;
    Nimbrel& operator=(const Nimbrel&) = delete;
    ~Nimbrel();

    DWORD Pid() const { return m_process.dwProcessId; }
    // The visible main window (the sheet with its tab control), or null when none came.
    HWND MainWindow(std::chrono::milliseconds timeout = 15s) const;
    // A top-level window of the process that holds a control with this id.
    HWND DialogWith(int controlId, std::chrono::milliseconds timeout = 15s) const;
    // A visible top-level window of the process with this caption.
    HWND WindowTitled(const std::string& caption, std::chrono::milliseconds timeout = 15s) const;
    // Any visible top-level window of the process.
    HWND AnyWindow(std::chrono::milliseconds timeout = 15s) const;
    // Waits for the process to end; its exit code, or nothing when it is still running.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 15s) const;
    // Ends the process at once, as the system does at the end of a session.
    void Kill();

  private:
    PROCESS_INFORMATION m_process{};
};

// The user's instance lock, owned by the test as a Nimbrel of the user that cannot be reached
// (hung, or in another session) owns it; let go when the object goes.
class HeldInstanceLock {
  public:
    HeldInstanceLock();
    HeldInstanceLock(const HeldInstanceLock&) = delete;
    HeldInstanceLock& operator=(const HeldInstanceLock&) = delete;
    ~HeldInstanceLock();
    // False when a start of an earlier test still held it past the wait.
    bool Held() const { return m_held; }

  private:
    HANDLE m_mutex = nullptr;
    bool m_held = false;
};

// A folder of its own holding only a copy of the program: no help file, no language file
// (one a test puts there goes with the folder).
class ProgramCopy {
  public:
    ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;
    ~ProgramCopy();
    // With a trailing backslash.
    const std::string& Folder() const { return m_folder; }

  private:
    std::string m_folder;
};

// Texts in UTF-8, as the program keeps them; windows are read and written through the wide calls.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);
// Bytes in the system's ANSI code page, as UTF-8.
std::string Utf8FromAnsi(const std::string& bytes);

std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
// Sets a window's text in the other process (bypasses an edit's length limit).
void SetText(HWND window, const std::string& text);
// A button click as its parent hears of it; posted, so a modal loop it starts does not block.
void Click(HWND parent, int id);
// A mouse click into a control, which takes the focus the way a user's click does.
void ClickInto(HWND control);
// Brings the sheet's page with this index to the front; its window, or null.
HWND SelectPage(HWND sheet, int index);
std::string ClassName(HWND window);
// Tells a window, as the system does, that it now sits on a monitor of another scale.
void SendDpiChanged(HWND window, int dpi, const RECT& suggested);
HWND TabControl(HWND sheet);
std::vector<std::string> TabCaptions(HWND sheet);

// A "german.lng" beside nimbrel.exe for as long as the object lives.
class LanguageFile {
  public:
    explicit LanguageFile(const std::string& content);
    LanguageFile(const LanguageFile&) = delete;
    LanguageFile& operator=(const LanguageFile&) = delete;
    ~LanguageFile();
    // The file as it is now.
    std::string Content() const;
    static std::string Path();
};

// Notification area, as Wine's explorer shows it on its taskbar.
struct TrayIcon {
    HWND tray;
    RECT rect;  // in the tray's client area
    std::string tip;
};
// Whether the shell holds the icon of this window and id.
bool TrayIconShown(HWND owner, UINT id);
// The icons on show, the newest first.
std::vector<TrayIcon> TrayIcons();
// The texts of the notices (balloons) the notification area shows now.
std::vector<std::string> BalloonTexts();
// Sends the tray the mouse message as if it happened on the icon.
void ClickTrayIcon(const TrayIcon& icon, UINT mouseMessage);
// Minimizes main into the tray; its icon once the taskbar shows it, or nullopt.
std::optional<TrayIcon> IconInTray(HWND main);
// The tray's popup menu when it is open, else null.
HWND OpenMenu();
// Right-clicks the icon; its menu once open, else null.
HWND OpenTrayMenu(const TrayIcon& icon);
// Types url into the URL dialog, with a query of its own so no cache answers, and tests it.
void StartUrlTest(HWND dialog, const std::string& url);

// The user's Startup folder and the shortcuts in it.
namespace startup {
struct Shortcut {
    std::string target;
    std::string arguments;
    std::string description;
    std::string workingDirectory;
    std::string icon;
};
// With a trailing backslash.
std::string Folder();
std::string PathOf(const std::string& name);
bool Exists(const std::string& name);
// The shortcut read through the shell; nothing when it cannot be loaded.
std::optional<Shortcut> Read(const std::string& name);
// Any shortcut file, by its full path.
std::optional<Shortcut> ReadAt(const std::string& path);
void Remove(const std::string& name);
}  // namespace startup

// The product's settings key under HKCU.
// A value under HKEY_CURRENT_USER\key, when it is there with that type.
std::optional<DWORD> RegistryDword(const char* key, const char* name);
std::optional<std::string> RegistryString(const char* key, const char* name);

namespace settings {
void Clear();
void PutDword(const char* name, DWORD value);
void PutString(const char* name, const std::string& text);
void PutRaw(const char* name, DWORD type, const void* data, DWORD size);
// What a user past the first run has stored: the keep-alive URL and the two switches.
void PutPastFirstRun(const std::string& url, bool autoStart, bool redial);
void Delete(const char* name);
bool KeyExists();
std::optional<DWORD> Dword(const char* name);
std::optional<std::string> String(const char* name);
}  // namespace settings

// The program's token among the system's user-agent values.
namespace userAgent {
void RemoveToken();
bool TokenExists();
}  // namespace userAgent

}  // namespace driver
