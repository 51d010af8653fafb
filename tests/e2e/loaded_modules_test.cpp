#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/driver.h"

namespace {

using namespace driver;

// Whether the process has a module of this file name (any case) loaded.
bool Loaded(DWORD pid, const char* module) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32First(snapshot, &entry); more && !found;
         more = Module32Next(snapshot, &entry))
        found = lstrcmpiA(entry.szModule, module) == 0;
    CloseHandle(snapshot);
    return found;
}

class LoadedModules : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutDword("FirstStart", 1);
        settings::PutDword("AutoStart", 0);
        settings::PutDword("FirstTime", 0);
        settings::PutString("URL1", "http://127.0.0.1:9/");  // closed: a probe fails at once
    }
    void TearDown() override { settings::Clear(); }
};

// Over 1 MB of the shell and 0.5 MB of WinINet stay out of a run that needs neither, in the
// notification area too: the shell is loaded only while the icon is added or taken away, and
// WinINet comes with the first probe.
TEST_F(LoadedModules, ShellAndInternetLoadOnlyWhenNeeded) {
    Nimbrel off;
    HWND main = off.MainWindow();
    ASSERT_NE(nullptr, main);
    Sleep(500);  // past the first paints
    EXPECT_FALSE(Loaded(off.Pid(), "shell32.dll"));
    EXPECT_FALSE(Loaded(off.Pid(), "wininet.dll"));
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(main, kTrayIconId); }));
    // The icon may be on show a moment before the program has done with the shell.
    EXPECT_TRUE(WaitUntil([&] { return !Loaded(off.Pid(), "shell32.dll"); }, 2s));
    off.Kill();

    Nimbrel on("-on");
    ASSERT_NE(nullptr, on.MainWindow());
    EXPECT_TRUE(WaitUntil([&] { return Loaded(on.Pid(), "wininet.dll"); }));
}

}  // namespace
