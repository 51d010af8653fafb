// The about page's description of the system: any version record and any product type value
// give one of the documented forms, and the service-pack text is never read past its field.
// From NT 6.0 on the name comes from the version alone and the registry is not read.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about/os_description.h"
#include "tests/doubles/fake_system.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"

namespace {

constexpr const char* kProductOptions = "HKLM\\System\\CurrentControlSet\\Control\\ProductOptions";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The product type is text, read up to its terminator; nothing when it does not fit 64 bytes.
bool ProductTypeReadable(const FakeRegistry& registry) {
    const FakeRegistry::Value* value = registry.Find(kProductOptions, "ProductType");
    if (!value ||
        (value->type != FakeRegistry::kText && value->type != FakeRegistry::kExpandableText))
        return false;
    const std::string text(value->bytes.begin(), value->bytes.end());
    return text.substr(0, text.find('\0')).size() < 64;
}

void CheckNt(const std::string& text, const platform::OsVersion& os, const std::string& sp) {
    // The longer server name first: the shorter one is its start.
    const char* names[] = {"Windows NT Server - Domain Controller ", "Windows NT Workstation ",
                           "Windows NT Server ", "Windows 2000 ", "Windows XP "};
    std::string rest;
    for (const char* name : names)
        if (StartsWith(text, name) && rest.empty()) rest = text.substr(std::strlen(name));
    Require(StartsWith(rest, "4.0 ") || StartsWith(rest, "3.51 "), "an NT name and version",
            Shown(text));
    const std::string build = " (Build:" + std::to_string(os.buildNumber) + ") ";
    Require(EndsWith(text, build + sp), "the build and the service pack close the text",
            Shown(text));
}

void CheckCurrentNt(const std::string& text, const platform::OsVersion& os, const std::string& sp) {
    const bool server = os.productType == platform::ProductType::Server ||
                        os.productType == platform::ProductType::DomainController;
    const std::string numbers =
        "Windows " + std::to_string(os.majorVersion) + "." + std::to_string(os.minorVersion);
    const char* names[] = {"Windows Server", "Windows Vista", "Windows 7", "Windows 8",
                           "Windows 8.1",    "Windows 10",    "Windows 11"};
    const std::string build = " (Build:" + std::to_string(os.buildNumber) + ")";
    const std::string end = build + (sp.empty() ? "" : " " + sp);
    Require(EndsWith(text, end), "the build and the service pack close the text", Shown(text));
    const std::string name = text.substr(0, text.size() - std::min(text.size(), end.size()));
    bool known = name == numbers;
    for (const char* candidate : names) known = known || name == candidate;
    Require(known, "a name of the family or the version's numbers", Shown(text));
    Require(!server || name == "Windows Server", "a server is named as one", Shown(text));
}

}  // namespace

// "!version <platform> <major> <minor> <build>", "!csd <service-pack text>" (its first 128
// bytes, unterminated when that long), "!fail", "!product <type>" for the record's product
// type, "!real" when the system also gives the record as its real version, and the ProductType
// value under its key.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeSystem system;
    platform::OsVersion& os = system.version.record;
    os = platform::OsVersion{4, 0, 1381, platform::WindowsFamily::Nt, ""};
    for (const ScriptLine& line : ParseScript(data, size, kProductOptions)) {
        if (line.isValue) PutValue(system.registry, line);
        if (line.word == "fail") system.version.fail = true;
        if (line.word == "real") system.version.real.emplace();
        if (line.word == "product")
            os.productType = static_cast<platform::ProductType>(
                static_cast<std::uint8_t>(std::strtoul(line.rest.c_str(), nullptr, 0)));
        if (line.word == "csd")
            std::strncpy(os.csdVersion, line.rest.c_str(), sizeof os.csdVersion);
        if (line.word == "version") {
            char* at = nullptr;
            std::uint32_t family = 0;
            std::uint32_t* fields[] = {&family, &os.majorVersion, &os.minorVersion,
                                       &os.buildNumber};
            const char* from = line.rest.c_str();
            for (std::uint32_t* field : fields) {
                *field = static_cast<std::uint32_t>(std::strtoul(from, &at, 0));
                from = at;
            }
            os.platformId = static_cast<platform::WindowsFamily>(family);
        }
    }
    if (system.version.real) *system.version.real = os;
    const std::string text = GetOsDescription();
    const std::string sp(os.csdVersion, strnlen(os.csdVersion, sizeof os.csdVersion));
    if (system.version.fail && !system.version.real) {
        Require(text == "Not able to get OS information", "no version record, no description");
    } else if (os.platformId == platform::WindowsFamily::Nt && os.majorVersion >= 6) {
        CheckCurrentNt(text, os, sp);
        Require(system.registry.calls.empty(), "no registry read from NT 6.0 on", Shown(text));
    } else if (os.platformId == platform::WindowsFamily::Nt) {
        if (ProductTypeReadable(system.registry))
            CheckNt(text, os, sp);
        else
            Require(text.empty(), "an unreadable product type gives an empty text", Shown(text));
    } else {
        const std::string name =
            os.platformId == platform::WindowsFamily::Windows95
                ? (os.majorVersion > 4 || (os.majorVersion == 4 && os.minorVersion > 0)
                       ? "Windows 98"
                       : "Windows 95")
                : "Windows 3.1";
        Require(text == name + " " + sp, "a system outside NT: its name and service pack",
                Shown(text));
    }
    Require(system.registry.OpenHandles() == 0, "every registry key is closed");
    return 0;
}
