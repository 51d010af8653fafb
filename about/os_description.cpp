#include "about/os_description.h"

#include <cctype>
#include <cstring>
#include <optional>

#include "platform/reg_key.h"
#include "platform/version.h"

namespace {

constexpr const char* kProductOptionsKey = "System\\CurrentControlSet\\Control\\ProductOptions";
constexpr std::size_t kLongestProductType = 63;

// The product type, or nothing when the key or value cannot be read or is longer than any the
// system writes.
std::optional<std::string> ReadProductType() {
    const platform::RegKey key(platform::Root::kLocalMachine, kProductOptionsKey,
                               platform::KeyAccess::kRead);
    std::optional<std::string> type =
        key ? platform::Registry().ReadText(key.get(), "ProductType") : std::nullopt;
    if (type && type->size() > kLongestProductType) return std::nullopt;
    return type;
}

bool SameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

std::string NtEditionName(const char* productType) {
    if (SameIgnoringCase(productType, "WinNT")) return "Windows NT Workstation";
    if (SameIgnoringCase(productType, "ServerNT")) return "Windows NT Server";
    return "Windows NT Server - Domain Controller";
}

// Only these two version texts are ever shown, whatever the system's real numbers are.
std::string NtVersionText(const platform::OsVersion& os) {
    return os.majorVersion == 3 || os.minorVersion == 51 ? "3.51" : "4.0";
}

std::string NtName(const platform::OsVersion& os, const char* productType) {
    std::string name = NtEditionName(productType);
    if (os.majorVersion == 5) name = "Windows 2000";
    if (os.buildNumber > 2599) name = "Windows XP";
    return name;
}

std::string Windows9xName(const platform::OsVersion& os) {
    const bool after95 = os.majorVersion > 4 || (os.majorVersion == 4 && os.minorVersion > 0);
    return after95 ? "Windows 98" : "Windows 95";
}

std::string ServicePack(const platform::OsVersion& os) {
    return std::string(os.csdVersion, strnlen(os.csdVersion, sizeof os.csdVersion));
}

// From NT 6.0 on: the system's own name for its version, numbers for one it does not know yet.
std::string CurrentNtName(const platform::OsVersion& os) {
    if (os.productType == platform::ProductType::Server ||
        os.productType == platform::ProductType::DomainController)
        return "Windows Server";
    if (os.majorVersion == 6 && os.minorVersion <= 3) {
        const char* names[] = {"Windows Vista", "Windows 7", "Windows 8", "Windows 8.1"};
        return names[os.minorVersion];
    }
    if (os.majorVersion == 10 && os.minorVersion == 0)
        return os.buildNumber < 22000 ? "Windows 10" : "Windows 11";
    return "Windows " + std::to_string(os.majorVersion) + "." + std::to_string(os.minorVersion);
}

std::string CurrentNtDescription(const platform::OsVersion& os) {
    const std::string servicePack = ServicePack(os);
    return CurrentNtName(os) + " (Build:" + std::to_string(os.buildNumber) + ")" +
           (servicePack.empty() ? "" : " " + servicePack);
}

}  // namespace

// The real version, not the one the manifest admits to: a system newer than the manifest
// knows would otherwise pass for Windows 8.
std::string GetOsDescription() {
    platform::OsVersion os{};
    if (!platform::Version().RtlGetVersion(&os) && !platform::Version().GetVersionExA(&os))
        return "Not able to get OS information";
    if (os.platformId == platform::WindowsFamily::Nt && os.majorVersion >= 6)
        return CurrentNtDescription(os);
    if (os.platformId == platform::WindowsFamily::Nt) {
        const std::optional<std::string> productType = ReadProductType();
        if (!productType) return "";
        return NtName(os, productType->c_str()) + " " + NtVersionText(os) +
               " (Build:" + std::to_string(os.buildNumber) + ") " + ServicePack(os);
    }
    const std::string name =
        os.platformId == platform::WindowsFamily::Windows95 ? Windows9xName(os) : "Windows 3.1";
    return name + " " + ServicePack(os);
}
