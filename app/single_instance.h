#pragma once

#include <windows.h>

#include <string>

// One running Nimbrel per Windows user, across all the user's sessions (console and remote): the
// autodial values it switches and their record are the user's. A second start hands over to the
// running one and ends; the running main window answers the two requests below.

// "Nimbrel2.ExitRequest", from any sender (an installer broadcasts it): end the run through
// the status page's own Exit.
extern const UINT g_uExitRequestMessage;
// "Nimbrel2.ShowRequest": show the main window, out of the notification area if need be, in
// front. The window answers TRUE.
extern const UINT g_uShowRequestMessage;

// "Nimbrel2.Instance.<the user's SID>": the user's mutex (in the Global namespace, seen from
// every session) and the mark on the running instance's window carry this name, so users do not
// block each other.
std::string InstanceName();

// The user's instance mutex; the program that owns it is the running one, for its whole life.
class InstanceLock {
  public:
    explicit InstanceLock(const std::string& name);
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // False while another start of the same user runs.
    bool Owned() const { return m_owned; }
    // Waits up to the given time for the running instance to end; then this one owns the mutex.
    bool WaitForOwnership(DWORD milliseconds);

  private:
    HANDLE m_mutex = nullptr;
    bool m_owned = false;
};

// The main window carries the instance name as a window property while it exists.
void MarkInstanceWindow(HWND window, const std::string& name);
void UnmarkInstanceWindow(HWND window, const std::string& name);

enum class HandOver {
    kDone,        // the running instance took the request
    kOwned,       // the running instance ended meanwhile: this start owns the mutex and runs
    kNotReached,  // no running window answered in time
};

// A second start: the running one shows its window in front.
HandOver ShowRunningInstance(InstanceLock& lock, const std::string& name);
// A second start with "-uninstall": the running one ends through its own Exit; returns kOwned
// once it has ended and this start owns the mutex.
HandOver EndRunningInstance(InstanceLock& lock, const std::string& name);
