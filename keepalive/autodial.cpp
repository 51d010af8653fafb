#include "keepalive/autodial.h"

#include <cstdint>
#include <mutex>

#include "keepalive/autodial_record.h"
#include "platform/reg_key.h"
#include "platform/user.h"
#include "platform/version.h"

AutodialMemory& g_autodialMemory = *new AutodialMemory;
std::atomic<int> g_iWinNT{-1};
std::atomic<int> g_iWinMajor{-1};

namespace {

// Which values the switch turns off on this system, and the value they get meanwhile.
struct AutodialValues {
    const char* key;
    std::vector<const char*> names;
    std::uint32_t offValue;
};

const AutodialValues kInternetSettings{
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\",
    {"EnableAutodial", "NoNetAutodial"},
    0};
const AutodialValues kRasLogin{
    "Software\\Microsoft\\RAS Autodial\\Control\\", {"LoginSessionDisable"}, 1};

std::mutex& SwitchLock() {
    static auto* const lock = new std::mutex;  // outlives every worker
    return *lock;
}

// The values this system has, or none on an NT older than 4.
const AutodialValues* ValuesOfThisSystem() {
    int major = -1;
    const bool nt = IsWinNT(&major);
    if (nt && major == 4) return &kRasLogin;
    if (nt && major >= 0 && major < 4) return nullptr;  // a major beyond int is a newer one
    return &kInternetSettings;
}

bool ReadUserValues(const AutodialValues& values, std::vector<RegistryValue>* read) {
    platform::RegKey key;
    if (key.Open(platform::kCurrentUser, values.key, platform::kKeyRead) ==
        platform::kErrorFileNotFound) {
        *read = std::vector<RegistryValue>(values.names.size());  // nothing there yet
        return true;
    }
    if (!key) return false;
    read->assign(values.names.size(), RegistryValue{});
    for (std::size_t i = 0; i < values.names.size(); ++i)
        if (!ReadRegistryValue(key.get(), values.names[i], &(*read)[i])) return false;
    return true;
}

bool WriteValues(const AutodialValues& values, const std::vector<RegistryValue>& written) {
    platform::RegKey key;
    if (key.Create(platform::kCurrentUser, values.key, platform::kKeySetValue) !=
        platform::kErrorSuccess)
        return false;
    bool all = true;
    for (std::size_t i = 0; i < values.names.size(); ++i)
        all = WriteRegistryValue(key.get(), values.names[i], written[i]) && all;
    return all;
}

RegistryValue Dword(std::uint32_t value) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&value);
    return RegistryValue{true, platform::kRegDword, {bytes, bytes + sizeof value}};
}

// The user's values are the record's when one holds (another run of the program switched off
// and has not put them back), else the registry's. They are kept before anything is switched.
void SwitchOff(const AutodialValues& values, unsigned owner) {
    AutodialMemory& memory = g_autodialMemory;
    if (memory.switchedOff) {
        memory.owner = owner;
        return;
    }
    std::vector<RegistryValue> users;
    if (!LoadAutodialRecord(values.names, &users) &&
        !(ReadUserValues(values, &users) && SaveAutodialRecord(values.names, users)))
        return;  // the user's values could not be kept: autodial stays as it is
    memory.userValues = users;
    memory.switchedOff = true;
    memory.owner = owner;
    WriteValues(values, std::vector<RegistryValue>(values.names.size(), Dword(values.offValue)));
}

void WriteBack(const AutodialValues& values) {
    AutodialMemory& memory = g_autodialMemory;
    if (WriteValues(values, memory.userValues)) ClearAutodialRecord(values.names);
    memory.switchedOff = false;
}

void ShowVersionError() {
    platform::User().MessageBoxA(0, "os version error", "internal error", platform::kMbIconWarning);
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

void SuppressAutodial(int on, unsigned owner) {
    std::unique_lock<std::mutex> lock(SwitchLock());
    AutodialMemory& memory = g_autodialMemory;
    if (memory.closing) return;
    if (on == 0 && (!memory.switchedOff || memory.owner != owner)) return;
    const AutodialValues* values = ValuesOfThisSystem();
    if (!values) {
        // A system this program does not know: warn, and leave the user's settings alone.
        lock.unlock();
        ShowVersionError();
        return;
    }
    if (on > 0)
        SwitchOff(*values, owner);
    else
        WriteBack(*values);
}

void RestoreAutodialAtExit() {
    const std::lock_guard<std::mutex> lock(SwitchLock());
    AutodialMemory& memory = g_autodialMemory;
    if (memory.switchedOff && !memory.closing) {
        if (const AutodialValues* values = ValuesOfThisSystem()) WriteBack(*values);
    }
    memory.closing = true;
}

void ReopenAutodial() {
    const std::lock_guard<std::mutex> lock(SwitchLock());
    g_autodialMemory.closing = false;
}

void RepairAutodial() {
    const std::lock_guard<std::mutex> lock(SwitchLock());
    if (g_autodialMemory.switchedOff || g_autodialMemory.closing) return;
    const AutodialValues* values = ValuesOfThisSystem();
    std::vector<RegistryValue> users;
    if (values && LoadAutodialRecord(values->names, &users) && WriteValues(*values, users))
        ClearAutodialRecord(values->names);
}
