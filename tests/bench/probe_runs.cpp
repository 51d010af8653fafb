#include "tests/bench/probe_runs.h"

#include <windows.h>
#include <tlhelp32.h>
#include <wininet.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/online_probe.h"
#include "platform/win32/win32_services.h"
#include "tests/bench/child_program.h"

namespace {

std::atomic<int> g_rawDone{0};

// The probe the runs time, as the program holds it: made once, stepped again and again.
struct BenchProbe {
    EventLog log{false, ""};
    OnlineProbe probe{log, std::make_shared<AutodialSwitch>()};
    ProbeTarget target;
};

BenchProbe& Bench() {
    static auto* const bench = new BenchProbe;  // workers may outlive the runs
    return *bench;
}

DWORD WINAPI RawRequest(void* url) {
    HINTERNET session = InternetOpenA("bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request = InternetOpenUrlA(session, static_cast<const char*>(url), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (request) InternetCloseHandle(request);
    if (session) InternetCloseHandle(session);
    g_rawDone = 1;
    return 0;
}

}  // namespace

void AimProbe(const std::string& url) {
    platform::InstallWin32Services();
    Bench().probe.Abandon();
    Bench().target = ProbeTarget{url, "http://www.", false};
}

double TimedProbe(int timeoutMs) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    while (Bench().probe.Check(Bench().target) == ProbeResult::Pending) {
        if (MillisecondsSince(start) > timeoutMs) return -1;
        Sleep(1);
    }
    return MillisecondsSince(start);
}

double TimedRawRequest(const std::string& url) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    g_rawDone = 0;
    HANDLE thread =
        CreateThread(nullptr, 0, RawRequest, const_cast<char*>(url.c_str()), 0, nullptr);
    if (!thread) return -1;
    while (!g_rawDone) Sleep(1);
    const double elapsed = MillisecondsSince(start);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return elapsed;
}

namespace {

// Handles open in this process: every handle value the system accepts. (Wine reports no
// handle count, so they are counted one by one.)
unsigned long CountOwnHandles() {
    unsigned long count = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

// Committed memory of this process's own: what private bytes count. (Wine reports none.)
double PrivateBytes() {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += static_cast<double>(region.RegionSize);
    }
    return bytes;
}

unsigned long CountOwnThreads() {
    unsigned long count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

}  // namespace

void WaitForThreadsToEnd(unsigned long idleThreads) {
    while (Bench().probe.Checking()) Sleep(1);
    while (CountOwnThreads() > idleThreads) Sleep(1);
}

ProcessCounts SampleOwnProcess() {
    while (Bench().probe.Checking()) Sleep(1);
    Sleep(20);  // the worker's thread ends just after its last action
    return {CountOwnHandles(), PrivateBytes(), CountOwnThreads()};
}
