#include "keepalive/autodial.h"

#include <cstdint>

#include "keepalive/autodial_record.h"
#include "platform/reg_key.h"
#include "platform/user.h"
#include "platform/version.h"

// Which values the switch turns off on this system, and the value they get meanwhile.
struct AutodialValues {
    const char* key;
    std::vector<const char*> names;
    std::uint32_t offValue;
};

namespace {

const AutodialValues kInternetSettings{
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\",
    {"EnableAutodial", "NoNetAutodial"},
    0};
const AutodialValues kRasLogin{
    "Software\\Microsoft\\RAS Autodial\\Control\\", {"LoginSessionDisable"}, 1};

bool ReadUserValues(const AutodialValues& values, std::vector<RegistryValue>* read) {
    platform::RegKey key;
    if (key.Open(platform::Root::kCurrentUser, values.key, platform::KeyAccess::kRead) ==
        platform::KeyOpening::kMissing) {
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
    const platform::RegKey key(platform::Root::kCurrentUser, values.key,
                               platform::KeyAccess::kCreate);
    if (!key) return false;
    bool all = true;
    for (std::size_t i = 0; i < values.names.size(); ++i)
        all = WriteRegistryValue(key.get(), values.names[i], written[i]) && all;
    return all;
}

// Every value gets the number that keeps the system from dialling.
void WriteOffValues(const AutodialValues& values) {
    const platform::RegKey key(platform::Root::kCurrentUser, values.key,
                               platform::KeyAccess::kCreate);
    if (!key) return;
    for (const char* name : values.names)
        platform::Registry().WriteNumber(key.get(), name, values.offValue);
}

void ShowVersionError() {
    platform::User().ShowMessage(0, "os version error", "internal error",
                                 platform::MessageIcon::kWarning);
}

}  // namespace

bool AutodialSwitch::IsWinNT(int* major) {
    const std::lock_guard<std::mutex> lock(m_lock);
    return IsWinNTLocked(major);
}

bool AutodialSwitch::IsWinNTLocked(int* major) {
    if (!m_version) {
        platform::OsVersion version{};
        platform::Version().GetVersionExA(&version);
        m_version = SystemVersion{version.platformId == platform::WindowsFamily::Nt,
                                  static_cast<int>(version.majorVersion)};
    }
    *major = m_version->major;
    return m_version->nt;
}

// The values this system has, or none on an NT older than 4.
const AutodialValues* AutodialSwitch::ValuesOfThisSystem() {
    int major = -1;
    const bool nt = IsWinNTLocked(&major);
    if (nt && major == 4) return &kRasLogin;
    if (nt && major >= 0 && major < 4) return nullptr;  // a major beyond int is a newer one
    return &kInternetSettings;
}

// The user's values are the record's when one holds (another run of the program switched off
// and has not put them back), else the registry's. They are kept before anything is switched.
void AutodialSwitch::SwitchOffLocked(const AutodialValues& values, unsigned owner) {
    if (!m_holders.empty()) {
        m_holders.insert(owner);
        return;
    }
    std::vector<RegistryValue> users;
    if (!LoadAutodialRecord(values.names, &users) &&
        !(ReadUserValues(values, &users) && SaveAutodialRecord(values.names, users)))
        return;  // the user's values could not be kept: autodial stays as it is
    m_userValues = users;
    m_holders = {owner};
    WriteOffValues(values);
}

void AutodialSwitch::WriteBack(const AutodialValues& values) {
    if (WriteValues(values, m_userValues)) ClearAutodialRecord(values.names);
    m_holders.clear();
}

bool AutodialSwitch::SwitchOff(unsigned owner) {
    std::unique_lock<std::mutex> lock(m_lock);
    if (m_closing) return false;
    const AutodialValues* values = ValuesOfThisSystem();
    if (!values) {
        // A system this program does not know: warn, and leave the user's settings alone.
        lock.unlock();
        ShowVersionError();
        return true;
    }
    SwitchOffLocked(*values, owner);
    return true;
}

void AutodialSwitch::SwitchBack(unsigned owner) {
    const std::lock_guard<std::mutex> lock(m_lock);
    if (m_closing || m_holders.erase(owner) == 0 || !m_holders.empty()) return;
    // Switched off, so this system's values are known.
    if (const AutodialValues* values = ValuesOfThisSystem()) WriteBack(*values);
}

void AutodialSwitch::RestoreAtExit() {
    const std::lock_guard<std::mutex> lock(m_lock);
    if (!m_holders.empty() && !m_closing) {
        if (const AutodialValues* values = ValuesOfThisSystem()) WriteBack(*values);
    }
    m_closing = true;
}

void AutodialSwitch::Reopen() {
    const std::lock_guard<std::mutex> lock(m_lock);
    m_closing = false;
}

void AutodialSwitch::Repair() {
    const std::lock_guard<std::mutex> lock(m_lock);
    if (!m_holders.empty() || m_closing) return;
    const AutodialValues* values = ValuesOfThisSystem();
    std::vector<RegistryValue> users;
    if (values && LoadAutodialRecord(values->names, &users) && WriteValues(*values, users))
        ClearAutodialRecord(values->names);
}
