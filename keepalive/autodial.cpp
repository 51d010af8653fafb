#include "keepalive/autodial.h"

#include <mutex>

#include "platform/reg_key.h"
#include "platform/user.h"
#include "platform/version.h"

AutodialMemory g_autodialMemory;
std::atomic<int> g_iWinNT{-1};
std::atomic<int> g_iWinMajor{-1};

namespace {

constexpr const char* kInternetSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\";
constexpr const char* kRasControlKey = "Software\\Microsoft\\RAS Autodial\\Control\\";

std::mutex& SwitchLock() {
    static std::mutex lock;
    return lock;
}

// A value that cannot be read leaves the buffer's start value.
std::uint32_t ReadDword(platform::Key key, const char* name, std::uint32_t startValue,
                        bool* found = nullptr) {
    std::uint32_t value = startValue;
    std::uint32_t size = sizeof value;
    const bool read = key != 0 && platform::Registry().QueryValueEx(
                                      key, name, nullptr, &value, &size) == platform::kErrorSuccess;
    if (found) *found = read;
    return read ? value : startValue;
}

void WriteDword(platform::Key key, const char* name, std::uint32_t value) {
    platform::Registry().SetValueEx(key, name, platform::kRegDword, &value, sizeof value);
}

void SwitchInternetSettings(int on) {
    AutodialMemory& memory = g_autodialMemory;
    if (on > 0) {
        platform::RegKey key;
        key.Create(platform::kCurrentUser, kInternetSettingsKey, platform::kKeyRead);
        memory.enableAutodial = ReadDword(key.get(), "EnableAutodial", 0);
        memory.noNetAutodial = ReadDword(key.get(), "NoNetAutodial", 0);
    }
    const std::uint32_t enable = on > 0 ? 0 : memory.enableAutodial;
    const std::uint32_t noNet = on > 0 ? 0 : memory.noNetAutodial;
    platform::RegKey key;
    if (key.Create(platform::kCurrentUser, kInternetSettingsKey, platform::kKeySetValue) !=
        platform::kErrorSuccess)
        return;
    WriteDword(key.get(), "EnableAutodial", enable);
    WriteDword(key.get(), "NoNetAutodial", noNet);
}

void ShowVersionError() {
    platform::User().MessageBoxA(0, "os version error", "internal error", platform::kMbIconWarning);
}

// Everything below runs with the switch's lock held, except the warning box.
void Switch(int on, std::unique_lock<std::mutex>& lock) {
    AutodialMemory& memory = g_autodialMemory;
    if (memory.closing) return;
    if (memory.switchedOffOnce == 0 && on == 0) return;
    memory.switchedOffOnce = 1;
    int major = -1;
    const bool nt = IsWinNT(&major);
    if (nt && major == 4) {
        SuppressRasLoginAutodial(on);
    } else if (nt && major < 4) {
        // A system this program does not know: warn, and leave the user's settings alone.
        lock.unlock();
        ShowVersionError();
        return;
    } else {
        SwitchInternetSettings(on);
    }
    memory.switchedOff = on > 0;
}

}  // namespace

bool IsWinNT(int* pMajor) {
    if (g_iWinNT.load() == -1) {
        platform::OsVersion version{};
        platform::Version().GetVersionExA(&version);
        g_iWinMajor.store(static_cast<int>(version.majorVersion));
        g_iWinNT.store(version.platformId == platform::kPlatformNt ? 1 : 0);
    }
    *pMajor = g_iWinMajor.load();
    return g_iWinNT.load() == 1;
}

void SuppressAutodial(int on) {
    std::unique_lock<std::mutex> lock(SwitchLock());
    Switch(on, lock);
}

void SuppressRasLoginAutodial(int on) {
    AutodialMemory& memory = g_autodialMemory;
    if (memory.rasSwitchedOffOnce == 0 && on == 0) return;
    memory.rasSwitchedOffOnce = 1;
    if (on == 1) {
        platform::RegKey key;
        key.Create(platform::kCurrentUser, kRasControlKey, platform::kKeyRead);
        bool found = false;
        memory.loginSessionDisable = ReadDword(key.get(), "LoginSessionDisable", 3, &found);
        memory.loginSessionDisableMissing = !found;
    }
    platform::RegKey key;
    if (key.Create(platform::kCurrentUser, kRasControlKey, platform::kKeySetValue) !=
        platform::kErrorSuccess)
        return;
    if (on == 1)
        WriteDword(key.get(), "LoginSessionDisable", 1);
    else if (memory.loginSessionDisableMissing)
        platform::Registry().DeleteValue(key.get(), "LoginSessionDisable");
    else
        WriteDword(key.get(), "LoginSessionDisable", memory.loginSessionDisable);
}

void RestoreAutodialAtExit() {
    std::unique_lock<std::mutex> lock(SwitchLock());
    if (g_autodialMemory.switchedOff) Switch(0, lock);
    g_autodialMemory.closing = true;
}
