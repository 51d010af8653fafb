#include "app/single_instance.h"

#include <sddl.h>

#include <vector>

#include "base/handles.h"
#include "base/wide_text.h"

const UINT g_uExitRequestMessage = RegisterWindowMessageW(L"Nimbrel2.ExitRequest");
const UINT g_uShowRequestMessage = RegisterWindowMessageW(L"Nimbrel2.ShowRequest");

namespace {

constexpr DWORD kPollMilliseconds = 100;
// A running instance that is busy (a message box, a page being built) still answers in time.
constexpr UINT kAnswerMilliseconds = 2000;
// How long a running instance may take to build its window: a second start right after the first.
constexpr ULONGLONG kFindWithinMilliseconds = 10000;
// Exit saves the settings and the shortcut, then the process ends.
constexpr ULONGLONG kEndWithinMilliseconds = 30000;

struct Search {
    const wchar_t* name;
    HWND found;
};

BOOL CALLBACK MatchMarked(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (!GetPropW(window, search->name)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindMarkedWindow(const std::string& name) {
    const WideString wideName = ToWide(name);
    Search search{wideName.c_str(), nullptr};
    EnumWindows(&MatchMarked, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True when the window took the request; a start that is ending no longer answers.
bool Ask(HWND window, UINT message) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, kAnswerMilliseconds,
                               &answer) != 0 &&
           answer == TRUE;
}

// The account's security identifier as text ("S-1-5-21-..."): the same in every session of the
// user, unlike the user name (a local and a domain account may share one).
std::string UserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    const OwnedKernelObject ownedToken(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    wchar_t* text = nullptr;
    if (!size || !GetTokenInformation(token, TokenUser, user.data(), size, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text))
        return {};
    const OwnedLocal ownedText(text);
    return FromWide(WideView(text, wcslen(text)));
}

}  // namespace

// Read once: the account does not change while the process runs.
std::string InstanceName() {
    static const std::string name = "Nimbrel2.Instance." + UserSid();
    return name;
}

InstanceLock::InstanceLock(const std::string& name) {
    // The global namespace holds one object for all sessions; creating a mutex there needs no
    // privilege (only file mappings do).
    const std::string mutexName = "Global\\" + name;
    m_mutex = CreateMutexW(nullptr, TRUE, ToWide(mutexName).c_str());
    // Without a mutex (the system refused one) the program runs unguarded rather than not at all.
    m_owned = !m_mutex || GetLastError() != ERROR_ALREADY_EXISTS;
}

InstanceLock::~InstanceLock() {
    if (!m_mutex) return;
    if (m_owned) ReleaseMutex(m_mutex);
    CloseHandle(m_mutex);
}

bool InstanceLock::WaitForOwnership(DWORD milliseconds) {
    if (m_owned) return true;
    const DWORD result = WaitForSingleObject(m_mutex, milliseconds);
    // Abandoned: the running instance ended without letting go, which ends its claim all the same.
    m_owned = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return m_owned;
}

void MarkInstanceWindow(HWND window, const std::string& name) {
    SetPropW(window, ToWide(name).c_str(), reinterpret_cast<HANDLE>(1));
}

void UnmarkInstanceWindow(HWND window, const std::string& name) {
    RemovePropW(window, ToWide(name).c_str());
}

HandOver ShowRunningInstance(InstanceLock& lock, const std::string& name) {
    const ULONGLONG deadline = GetTickCount64() + kFindWithinMilliseconds;
    do {
        if (HWND window = FindMarkedWindow(name)) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            // The user just started this one, so it may hand the foreground on.
            AllowSetForegroundWindow(process);
            if (Ask(window, g_uShowRequestMessage)) return HandOver::kDone;
        }
        if (lock.WaitForOwnership(kPollMilliseconds)) return HandOver::kOwned;
    } while (GetTickCount64() < deadline);
    return HandOver::kNotReached;
}

HandOver EndRunningInstance(InstanceLock& lock, const std::string& name) {
    ULONGLONG deadline = GetTickCount64() + kFindWithinMilliseconds;
    bool asked = false;
    while (!lock.WaitForOwnership(kPollMilliseconds)) {
        if (!asked) {
            HWND window = FindMarkedWindow(name);
            asked = window && Ask(window, g_uExitRequestMessage);
            if (asked) deadline = GetTickCount64() + kEndWithinMilliseconds;
        }
        if (GetTickCount64() >= deadline) return HandOver::kNotReached;
    }
    return HandOver::kOwned;
}
