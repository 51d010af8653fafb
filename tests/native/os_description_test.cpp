#include "about/os_description.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kProductOptions = "HKLM\\System\\CurrentControlSet\\Control\\ProductOptions";

class OsDescription : public ::testing::Test {
  protected:
    std::string Describe(platform::WindowsFamily platformId, std::uint32_t major,
                         std::uint32_t minor, std::uint32_t build, const char* servicePack) {
        system.version.record = platform::OsVersion{major, minor, build, platformId, ""};
        std::strcpy(system.version.record.csdVersion, servicePack);
        return GetOsDescription();
    }
    std::string DescribeNt(const char* productType, std::uint32_t major, std::uint32_t minor,
                           std::uint32_t build, const char* servicePack) {
        system.registry.PutString(kProductOptions, "ProductType", productType);
        return Describe(platform::WindowsFamily::Nt, major, minor, build, servicePack);
    }

    FakeSystem system;
};

TEST_F(OsDescription, NtProductTypesNameTheEdition) {
    EXPECT_EQ("Windows NT Workstation 4.0 (Build:1381) Service Pack 6",
              DescribeNt("WinNT", 4, 0, 1381, "Service Pack 6"));
    EXPECT_EQ("Windows NT Workstation 4.0 (Build:1381) Service Pack 6",
              DescribeNt("winnt", 4, 0, 1381, "Service Pack 6"));
    EXPECT_EQ("Windows NT Server 4.0 (Build:1381) Service Pack 3",
              DescribeNt("SERVERNT", 4, 0, 1381, "Service Pack 3"));
    EXPECT_EQ("Windows NT Server - Domain Controller 4.0 (Build:1381) ",
              DescribeNt("LanmanNT", 4, 0, 1381, ""));
    EXPECT_EQ("Windows NT Server - Domain Controller 4.0 (Build:1381) ",
              DescribeNt("", 4, 0, 1381, ""));
    EXPECT_EQ("Windows NT Server - Domain Controller 4.0 (Build:1381) ",
              DescribeNt("WinNT2", 4, 0, 1381, ""));
}

TEST_F(OsDescription, NtOnlyEverShows351Or40) {
    EXPECT_EQ("Windows NT Server 3.51 (Build:1057) Service Pack 5",
              DescribeNt("ServerNT", 3, 51, 1057, "Service Pack 5"));
    EXPECT_EQ("Windows NT Workstation 3.51 (Build:528) ", DescribeNt("WinNT", 3, 10, 528, ""));
    EXPECT_EQ("Windows NT Workstation 3.51 (Build:1381) ", DescribeNt("WinNT", 4, 51, 1381, ""));
    EXPECT_EQ("Windows NT Workstation 4.0 (Build:1381) ", DescribeNt("WinNT", 4, 1, 1381, ""));
}

TEST_F(OsDescription, Major5IsWindows2000AndBuild2600OnIsXp) {
    EXPECT_EQ("Windows 2000 4.0 (Build:2195) Service Pack 4",
              DescribeNt("ServerNT", 5, 0, 2195, "Service Pack 4"));
    EXPECT_EQ("Windows 2000 4.0 (Build:2599) ", DescribeNt("WinNT", 5, 1, 2599, ""));
    EXPECT_EQ("Windows XP 4.0 (Build:2600) Service Pack 2",
              DescribeNt("WinNT", 5, 1, 2600, "Service Pack 2"));
    EXPECT_EQ("Windows XP 4.0 (Build:3790) Service Pack 2",
              DescribeNt("ServerNT", 5, 2, 3790, "Service Pack 2"));
    EXPECT_EQ("Windows XP 3.51 (Build:4000) ", DescribeNt("WinNT", 3, 51, 4000, ""));
}

// From NT 6.0 on the version the system really is counts, not the one the manifest admits to.
class CurrentOsDescription : public OsDescription {
  protected:
    std::string DescribeReal(
        std::uint32_t major, std::uint32_t minor, std::uint32_t build, const char* servicePack,
        platform::ProductType productType = platform::ProductType::Workstation) {
        platform::OsVersion real{major, minor, build, platform::WindowsFamily::Nt, ""};
        std::strcpy(real.csdVersion, servicePack);
        real.productType = productType;
        system.version.real = real;
        return GetOsDescription();
    }
};

TEST_F(CurrentOsDescription, NamesEachVersionWithItsBuildAndServicePack) {
    EXPECT_EQ("Windows Vista (Build:6002) Service Pack 2",
              DescribeReal(6, 0, 6002, "Service Pack 2"));
    EXPECT_EQ("Windows 7 (Build:7601) Service Pack 1", DescribeReal(6, 1, 7601, "Service Pack 1"));
    EXPECT_EQ("Windows 8 (Build:9200)", DescribeReal(6, 2, 9200, ""));
    EXPECT_EQ("Windows 8.1 (Build:9600)", DescribeReal(6, 3, 9600, ""));
    EXPECT_EQ("Windows 10 (Build:19045)", DescribeReal(10, 0, 19045, ""));
    EXPECT_EQ("Windows 10 (Build:21999)", DescribeReal(10, 0, 21999, ""));
    EXPECT_EQ("Windows 11 (Build:22000)", DescribeReal(10, 0, 22000, ""));
    EXPECT_EQ("Windows 11 (Build:26100)", DescribeReal(10, 0, 26100, ""));
}

TEST_F(CurrentOsDescription, AVersionWithoutANameShowsItsNumbers) {
    EXPECT_EQ("Windows 6.4 (Build:9841)", DescribeReal(6, 4, 9841, ""));
    EXPECT_EQ("Windows 10.1 (Build:30000)", DescribeReal(10, 1, 30000, ""));
    EXPECT_EQ("Windows 4294967295.0 (Build:1)", DescribeReal(4294967295u, 0, 1, ""));
}

TEST_F(CurrentOsDescription, ServerProductTypesAreWindowsServer) {
    EXPECT_EQ("Windows Server (Build:20348)",
              DescribeReal(10, 0, 20348, "", platform::ProductType::Server));
    EXPECT_EQ("Windows Server (Build:7601) Service Pack 1",
              DescribeReal(6, 1, 7601, "Service Pack 1", platform::ProductType::DomainController));
    EXPECT_EQ("Windows 10 (Build:19045)",
              DescribeReal(10, 0, 19045, "", platform::ProductType::Unknown));
}

TEST_F(CurrentOsDescription, RealVersionWinsOverTheManifestsAnswer) {
    system.version.record = platform::OsVersion{6, 2, 9200, platform::WindowsFamily::Nt, ""};
    EXPECT_EQ("Windows 11 (Build:22631)", DescribeReal(10, 0, 22631, ""));
}

TEST_F(CurrentOsDescription, NeedsNoProductTypeFromTheRegistry) {
    system.registry.failingKeys = {"ProductOptions"};
    EXPECT_EQ("Windows 10 (Build:19045)", DescribeReal(10, 0, 19045, ""));
    EXPECT_TRUE(system.registry.calls.empty());
}

TEST_F(CurrentOsDescription, UpToXpTheRealVersionGetsTheOldTexts) {
    system.registry.PutString(kProductOptions, "ProductType", "WinNT");
    EXPECT_EQ("Windows XP 4.0 (Build:2600) Service Pack 2",
              DescribeReal(5, 1, 2600, "Service Pack 2"));
    EXPECT_EQ("Windows 2000 4.0 (Build:2195) ", DescribeReal(5, 0, 2195, ""));
}

TEST_F(CurrentOsDescription, WithoutTheRealVersionTheManifestsAnswerIsNamed) {
    EXPECT_EQ("Windows 7 (Build:7601) Service Pack 1",
              DescribeNt("WinNT", 6, 1, 7601, "Service Pack 1"));
}

TEST_F(OsDescription, NinetyFiveFamilyShowsNameBlankAndServicePackOnly) {
    EXPECT_EQ("Windows 95 ", Describe(platform::WindowsFamily::Windows95, 4, 0, 950, ""));
    EXPECT_EQ("Windows 95  B", Describe(platform::WindowsFamily::Windows95, 4, 0, 1111, " B"));
    EXPECT_EQ("Windows 98 ", Describe(platform::WindowsFamily::Windows95, 4, 10, 1998, ""));
    EXPECT_EQ("Windows 98  A ", Describe(platform::WindowsFamily::Windows95, 4, 10, 2222, " A "));
    EXPECT_EQ("Windows 98 ", Describe(platform::WindowsFamily::Windows95, 4, 90, 3000, ""));
    EXPECT_EQ("Windows 98 ", Describe(platform::WindowsFamily::Windows95, 5, 0, 3000, ""));
    // The product type is an NT matter: the 95 family never reads the registry.
    EXPECT_TRUE(system.registry.calls.empty());
}

TEST_F(OsDescription, AnyOtherPlatformIsWindows31) {
    EXPECT_EQ("Windows 3.1 ", Describe(platform::WindowsFamily::Win32s, 3, 10, 0, ""));
    EXPECT_EQ("Windows 3.1 x", Describe(static_cast<platform::WindowsFamily>(3), 10, 0, 0, "x"));
}

TEST_F(OsDescription, ProductTypeIsReadFromTheMachinesProductOptions) {
    DescribeNt("WinNT", 4, 0, 1381, "");
    EXPECT_EQ((std::vector<std::string>{"OpenKey " + std::string(kProductOptions) + " read",
                                        "ReadText ProductType", "CloseKey"}),
              system.registry.calls);
}

TEST_F(OsDescription, UnreadableProductTypeGivesEmptyText) {
    EXPECT_EQ("", Describe(platform::WindowsFamily::Nt, 5, 1, 2600, "Service Pack 3"));  // no key

    system.registry.PutString(kProductOptions, "Other", "WinNT");
    EXPECT_EQ("", Describe(platform::WindowsFamily::Nt, 5, 1, 2600, ""));  // no value

    system.registry.PutString(kProductOptions, "ProductType", std::string(64, 'W'));
    EXPECT_EQ("", Describe(platform::WindowsFamily::Nt, 5, 1, 2600, ""));  // longer than 63

    system.registry.PutRaw(kProductOptions, "ProductType", FakeRegistry::kText,
                           std::vector<std::uint8_t>(64, 'W'));
    EXPECT_EQ("", Describe(platform::WindowsFamily::Nt, 5, 1, 2600, ""));  // 64 bytes, no end

    system.registry.PutString(kProductOptions, "ProductType", "WinNT");
    system.registry.failingKeys = {"ProductOptions"};
    EXPECT_EQ("", Describe(platform::WindowsFamily::Nt, 5, 1, 2600, ""));  // access denied
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(OsDescription, LongestProductTypeThatFitsIsRead) {
    EXPECT_EQ("Windows NT Server - Domain Controller 4.0 (Build:1381) ",
              DescribeNt(std::string(63, 'W').c_str(), 4, 0, 1381, ""));
}

TEST_F(OsDescription, NoVersionRecord) {
    system.version.fail = true;
    EXPECT_EQ("Not able to get OS information", GetOsDescription());
    EXPECT_TRUE(system.registry.calls.empty());
}

TEST_F(OsDescription, ServicePackWithoutEndIsCutAtItsField) {
    system.registry.PutString(kProductOptions, "ProductType", "WinNT");
    system.version.record = platform::OsVersion{4, 0, 1381, platform::WindowsFamily::Nt, ""};
    std::memset(system.version.record.csdVersion, 'S', sizeof system.version.record.csdVersion);
    EXPECT_EQ("Windows NT Workstation 4.0 (Build:1381) " + std::string(128, 'S'),
              GetOsDescription());
}

}  // namespace
