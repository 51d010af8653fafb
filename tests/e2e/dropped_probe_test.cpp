#include <winsock2.h>
#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;
using Mode = LoopbackHttpServer::Mode;

constexpr UINT_PTR kTickTimer = 1;        // the status page's keep-alive tick
constexpr int kAttemptTimeoutMs = 15000;  // the program's own, for each step of a request

// One entry of the system's handle table (SystemHandleInformation): Wine answers
// GetProcessHandleCount with 0, but keeps this table.
struct HandleEntry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT value;
    PVOID object;
    ULONG access;
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

DWORD HandlesOf(DWORD processId) {
    std::vector<char> table(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, table.data(),
                                              static_cast<ULONG>(table.size()), &length)) ==
           kInfoLengthMismatch)
        table.resize(table.size() * 2);
    if (status != 0) return 0;
    ULONG entries = 0;
    std::memcpy(&entries, table.data(), sizeof entries);
    const auto* entry = reinterpret_cast<const HandleEntry*>(table.data() + sizeof(void*));
    DWORD count = 0;
    for (ULONG i = 0; i < entries; ++i)
        if (entry[i].processId == static_cast<USHORT>(processId)) ++count;
    return count;
}

struct Counts {
    DWORD handles = 0;
    int threads = 0;
    std::size_t connections = 0;  // the ones the server still holds open
};

Counts CountsOf(const Nimbrel& nimbrel, const LoopbackHttpServer& server) {
    Counts counts;
    counts.handles = HandlesOf(nimbrel.Pid());
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
        if (thread.th32OwnerProcessID == nimbrel.Pid()) ++counts.threads;
    CloseHandle(snapshot);
    counts.connections = server.OpenConnections();
    return counts;
}

void Print(const char* when, const Counts& counts) {
    std::printf("%s: %lu handles, %d threads, %zu open connections\n", when, counts.handles,
                counts.threads, counts.connections);
}

// Milliseconds until the server's held connections are all closed by the program; -1 when
// they are not closed within `limitMs`.
long long WaitForClosedConnections(const LoopbackHttpServer& server, int limitMs) {
    const ULONGLONG start = GetTickCount64();
    while (server.OpenConnections() > 0) {
        if (GetTickCount64() - start > static_cast<ULONGLONG>(limitMs)) return -1;
        Sleep(20);
    }
    return static_cast<long long>(GetTickCount64() - start);
}

class DroppedProbes : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutPastFirstRun(server.Url(), false, true);
    }
    void TearDown() override { settings::Clear(); }

    LoopbackHttpServer server{Mode::kNeverAnswer};
};

// Each Stay On drops the probe before it: its worker ends at once, its connection within one
// attempt's time-out, so a hundred clicks leave nothing behind.
TEST_F(DroppedProbes, HundredStayOnClicksAgainstAServerThatNeverAnswersLeaveNothingOpen) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    Click(page, IDC_STAY_ON);
    ASSERT_TRUE(server.WaitForRequests(1, 15000));
    Sleep(200);
    const Counts before = CountsOf(nimbrel, server);  // one probe waits on the server
    Print("one probe waiting", before);

    for (std::size_t click = 2; click <= 101; ++click) {
        Click(page, IDC_STAY_ON);
        PostMessageA(page, WM_TIMER, kTickTimer, 0);  // the tick that starts the fresh probe
        ASSERT_TRUE(server.WaitForRequests(click, 10000)) << click;
    }
    Print("right after 100 more clicks", CountsOf(nimbrel, server));
    Click(page, IDC_SWITCH_OFF);  // the last one stops counting too

    const long long closedMs = WaitForClosedConnections(server, kAttemptTimeoutMs + 5000);
    std::printf("all connections closed %lld ms after Switch off\n", closedMs);
    // The workers end at the drop; the library's own threads, which held the connections, go
    // back to its pool and leave the process after a few idle seconds.
    Counts after = CountsOf(nimbrel, server);
    for (int wait = 0;
         wait < 100 && (after.threads > before.threads || after.handles > before.handles + 8);
         ++wait) {
        Sleep(100);
        after = CountsOf(nimbrel, server);
    }
    Print("one time-out later", after);
    EXPECT_GE(closedMs, 0);
    EXPECT_EQ(0u, after.connections);
    EXPECT_LE(after.threads, before.threads);
    EXPECT_LE(after.handles, before.handles + 8);
    EXPECT_EQ(101u, server.Requests().size());
}

// A probe whose server never answers ends by its own time-out with its connection closed, and
// the page shows offline then rather than at the minute's give-up.
TEST_F(DroppedProbes, HungRequestEndsOfflineAtItsTimeOut) {
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(server.WaitForRequests(1, 15000));
    const long long closedMs = WaitForClosedConnections(server, 2 * kAttemptTimeoutMs);
    std::printf("request to closed connection: %lld ms\n", closedMs);
    EXPECT_GE(closedMs, kAttemptTimeoutMs - 1000);
    EXPECT_LE(closedMs, kAttemptTimeoutMs + 3000);
    HWND page = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    EXPECT_TRUE(WaitUntil([&] { return Text(GetDlgItem(page, IDC_ACTIVITY)).find('.') == 0; }, 5s));
    EXPECT_EQ(1u, server.Requests().size());  // Wine refuses the named-proxy session
}

}  // namespace
