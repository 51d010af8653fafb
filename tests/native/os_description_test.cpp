#include "ui/os_description.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kProductOptions = "HKLM\\System\\CurrentControlSet\\Control\\ProductOptions";

class OsDescription : public ::testing::Test {
  protected:
    std::string Describe(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                         std::uint32_t build, const char* servicePack) {
        system.version.record = platform::OsVersion{major, minor, build, platformId, ""};
        std::strcpy(system.version.record.csdVersion, servicePack);
        return GetOsDescription();
    }
    std::string DescribeNt(const char* productType, std::uint32_t major, std::uint32_t minor,
                           std::uint32_t build, const char* servicePack) {
        system.registry.PutString(kProductOptions, "ProductType", productType);
        return Describe(platform::kPlatformNt, major, minor, build, servicePack);
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
    EXPECT_EQ("Windows XP 4.0 (Build:7601) Service Pack 1",
              DescribeNt("WinNT", 6, 1, 7601, "Service Pack 1"));
    EXPECT_EQ("Windows XP 3.51 (Build:4000) ", DescribeNt("WinNT", 3, 51, 4000, ""));
}

TEST_F(OsDescription, NinetyFiveFamilyShowsNameBlankAndServicePackOnly) {
    EXPECT_EQ("Windows 95 ", Describe(platform::kPlatformWindows, 4, 0, 950, ""));
    EXPECT_EQ("Windows 95  B", Describe(platform::kPlatformWindows, 4, 0, 1111, " B"));
    EXPECT_EQ("Windows 98 ", Describe(platform::kPlatformWindows, 4, 10, 1998, ""));
    EXPECT_EQ("Windows 98  A ", Describe(platform::kPlatformWindows, 4, 10, 2222, " A "));
    EXPECT_EQ("Windows 98 ", Describe(platform::kPlatformWindows, 4, 90, 3000, ""));
    EXPECT_EQ("Windows 98 ", Describe(platform::kPlatformWindows, 5, 0, 3000, ""));
    // The product type is an NT matter: the 95 family never reads the registry.
    EXPECT_TRUE(system.registry.calls.empty());
}

TEST_F(OsDescription, AnyOtherPlatformIsWindows31) {
    EXPECT_EQ("Windows 3.1 ", Describe(platform::kPlatformWin32s, 3, 10, 0, ""));
    EXPECT_EQ("Windows 3.1 x", Describe(3, 10, 0, 0, "x"));
}

TEST_F(OsDescription, ProductTypeIsReadFromTheMachinesProductOptions) {
    DescribeNt("WinNT", 4, 0, 1381, "");
    EXPECT_EQ((std::vector<std::string>{"OpenKey " + std::string(kProductOptions) + " read",
                                        "ReadText ProductType", "CloseKey"}),
              system.registry.calls);
}

TEST_F(OsDescription, UnreadableProductTypeGivesEmptyText) {
    EXPECT_EQ("", Describe(platform::kPlatformNt, 5, 1, 2600, "Service Pack 3"));  // no key

    system.registry.PutString(kProductOptions, "Other", "WinNT");
    EXPECT_EQ("", Describe(platform::kPlatformNt, 5, 1, 2600, ""));  // no value

    system.registry.PutString(kProductOptions, "ProductType", std::string(64, 'W'));
    EXPECT_EQ("", Describe(platform::kPlatformNt, 5, 1, 2600, ""));  // longer than 63

    system.registry.PutRaw(kProductOptions, "ProductType", FakeRegistry::kText,
                           std::vector<std::uint8_t>(64, 'W'));
    EXPECT_EQ("", Describe(platform::kPlatformNt, 5, 1, 2600, ""));  // 64 bytes, no end

    system.registry.PutString(kProductOptions, "ProductType", "WinNT");
    system.registry.failingKeys = {"ProductOptions"};
    EXPECT_EQ("", Describe(platform::kPlatformNt, 5, 1, 2600, ""));  // access denied
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
    system.version.record = platform::OsVersion{4, 0, 1381, platform::kPlatformNt, ""};
    std::memset(system.version.record.csdVersion, 'S', sizeof system.version.record.csdVersion);
    EXPECT_EQ("Windows NT Workstation 4.0 (Build:1381) " + std::string(128, 'S'),
              GetOsDescription());
}

}  // namespace
