#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Drives the real nimbrel.exe from outside: starts it, finds its windows, reads their texts,
// watches the notification area and the registry.
namespace driver {

using namespace std::chrono_literals;

// Polls until the condition holds or the time is up; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// A started nimbrel.exe from the test's own folder; ended by process id when the test is over.
class Nimbrel {
  public:
    explicit Nimbrel(const std::string& arguments = "");
    // The same, from a copy of the program in another folder (written with a trailing backslash).
    Nimbrel(const std::string& arguments, const std::string& folder);
    Nimbrel(const Nimbrel&) = delete;
    Nimbrel& operator=(const Nimbrel&) = delete;
    ~Nimbrel();

    DWORD Pid() const { return process_.dwProcessId; }
    // The visible main window (the sheet with its tab control), or null when none came.
    HWND MainWindow(std::chrono::milliseconds timeout = 15s) const;
    // A top-level window of the process that holds a control with this id.
    HWND DialogWith(int controlId, std::chrono::milliseconds timeout = 15s) const;
    // Waits for the process to end; its exit code, or nothing when it is still running.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 15s) const;

  private:
    PROCESS_INFORMATION process_{};
};

std::string Text(HWND window);
std::string ClassName(HWND window);
HWND TabControl(HWND sheet);
std::vector<std::string> TabCaptions(HWND sheet);

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
// Sends the tray the mouse message as if it happened on the icon.
void ClickTrayIcon(const TrayIcon& icon, UINT mouseMessage);

// The product's settings key under HKCU.
namespace settings {
void Clear();
void PutDword(const char* name, DWORD value);
void PutString(const char* name, const std::string& text);
void PutRaw(const char* name, DWORD type, const void* data, DWORD size);
bool KeyExists();
std::optional<DWORD> Dword(const char* name);
std::optional<std::string> String(const char* name);
}  // namespace settings

}  // namespace driver
