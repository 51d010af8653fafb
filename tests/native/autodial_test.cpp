#include "keepalive/autodial.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/doubles/fake_system.h"

namespace {

const std::string kInternetSettings =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kRasControl = "HKCU\\Software\\Microsoft\\RAS Autodial\\Control";

class Autodial : public ::testing::Test {
  protected:
    Autodial() {
        g_autodialMemory = AutodialMemory{};
        g_iWinNT = -1;
        g_iWinMajor = -1;
    }

    void RunOn(std::uint32_t major, std::uint32_t minor, std::uint32_t platformId) {
        system.version.record = {major, minor, 0, platformId, ""};
    }
    void PutUserValues(std::uint32_t enable, std::uint32_t noNet) {
        system.registry.PutDword(kInternetSettings, "EnableAutodial", enable);
        system.registry.PutDword(kInternetSettings, "NoNetAutodial", noNet);
    }
    std::string InternetValues() const {
        return std::to_string(system.registry.Dword(kInternetSettings, "EnableAutodial")) + " " +
               std::to_string(system.registry.Dword(kInternetSettings, "NoNetAutodial"));
    }

    FakeSystem system;
};

TEST_F(Autodial, SwitchOffAndWriteBackPairKeepsTheUsersValues) {
    const std::uint32_t pairs[][2] = {{1, 1}, {0, 1}, {1, 0}, {7, 0}};
    for (const auto& values : pairs) {
        PutUserValues(values[0], values[1]);
        const std::string users = InternetValues();
        SuppressAutodial(1);
        EXPECT_EQ("0 0", InternetValues());
        SuppressAutodial(0);
        EXPECT_EQ(users, InternetValues());
    }
    const FakeRegistry::Value* value = system.registry.Find(kInternetSettings, "NoNetAutodial");
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(platform::kRegDword, value->type);
    EXPECT_EQ(4u, value->bytes.size());
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Autodial, WriteBackBeforeAnySwitchOffDoesNothing) {
    PutUserValues(1, 1);
    SuppressAutodial(0);
    SuppressRasLoginAutodial(0);
    EXPECT_TRUE(system.registry.calls.empty());
    EXPECT_EQ(0, system.version.calls);
    EXPECT_EQ("1 1", InternetValues());
}

TEST_F(Autodial, MissingValuesComeBackAsZero) {
    SuppressAutodial(1);
    SuppressAutodial(0);
    ASSERT_NE(nullptr, system.registry.Find(kInternetSettings, "EnableAutodial"));
    ASSERT_NE(nullptr, system.registry.Find(kInternetSettings, "NoNetAutodial"));
    EXPECT_EQ("0 0", InternetValues());
}

TEST_F(Autodial, EveryNtFromVersionFiveAndThe95FamilyUseInternetSettings) {
    const platform::OsVersion systems[] = {
        {5, 0, 0, platform::kPlatformNt, ""},       {5, 1, 0, platform::kPlatformNt, ""},
        {6, 1, 0, platform::kPlatformNt, ""},       {10, 0, 0, platform::kPlatformNt, ""},
        {4, 10, 0, platform::kPlatformWindows, ""}, {4, 90, 0, platform::kPlatformWindows, ""},
    };
    for (const platform::OsVersion& version : systems) {
        SCOPED_TRACE(std::to_string(version.majorVersion) + "." +
                     std::to_string(version.minorVersion));
        g_autodialMemory = AutodialMemory{};
        g_iWinNT = -1;
        system.version.record = version;
        PutUserValues(1, 1);
        SuppressAutodial(1);
        EXPECT_EQ("0 0", InternetValues());
        SuppressAutodial(0);
        EXPECT_EQ("1 1", InternetValues());
        EXPECT_FALSE(system.registry.HasKey(kRasControl));
    }
    EXPECT_TRUE(system.user.boxes.empty());
}

TEST_F(Autodial, Nt4TouchesOnlyLoginSessionDisable) {
    RunOn(4, 0, platform::kPlatformNt);
    PutUserValues(1, 1);
    system.registry.PutDword(kRasControl, "LoginSessionDisable", 0);
    system.registry.calls.clear();
    SuppressAutodial(1);
    EXPECT_EQ(1u, system.registry.Dword(kRasControl, "LoginSessionDisable"));
    SuppressAutodial(0);
    EXPECT_EQ(0u, system.registry.Dword(kRasControl, "LoginSessionDisable"));
    EXPECT_EQ("1 1", InternetValues());
    for (const std::string& call : system.registry.calls) {
        EXPECT_EQ(std::string::npos, call.find("Internet Settings")) << call;
        EXPECT_EQ(std::string::npos, call.find("NoNetAutodial")) << call;
    }
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Autodial, MissingLoginSessionDisableIsRemovedAgain) {
    RunOn(4, 0, platform::kPlatformNt);
    SuppressAutodial(1);
    EXPECT_EQ(1u, system.registry.Dword(kRasControl, "LoginSessionDisable"));
    SuppressAutodial(0);
    EXPECT_EQ(nullptr, system.registry.Find(kRasControl, "LoginSessionDisable"));

    system.registry.PutDword(kRasControl, "LoginSessionDisable", 5);  // the user sets one later
    SuppressAutodial(1);
    SuppressAutodial(0);
    EXPECT_EQ(5u, system.registry.Dword(kRasControl, "LoginSessionDisable"));
}

TEST_F(Autodial, UnknownNtBelowFourWarnsAndTouchesNothing) {
    RunOn(3, 51, platform::kPlatformNt);
    PutUserValues(1, 1);
    system.registry.calls.clear();
    SuppressAutodial(1);
    SuppressAutodial(0);
    EXPECT_TRUE(system.registry.calls.empty());
    ASSERT_EQ(2u, system.user.boxes.size());
    for (const FakeUser::Box& box : system.user.boxes) {
        EXPECT_EQ(0, box.owner);
        EXPECT_EQ("os version error", box.text);
        EXPECT_EQ("internal error", box.caption);
        EXPECT_EQ(platform::kMbIconWarning, box.type);
    }
}

TEST_F(Autodial, RegistryThatCannotBeOpenedIsLeftAlone) {
    PutUserValues(1, 1);
    system.registry.failingKeys = {"Internet Settings"};
    SuppressAutodial(1);
    SuppressAutodial(0);
    system.registry.failingKeys.clear();
    EXPECT_EQ("1 1", InternetValues());
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Autodial, ExitPutsTheValuesBackOnceAndStopsTheSwitch) {
    PutUserValues(1, 1);
    SuppressAutodial(1);
    RestoreAutodialAtExit();
    EXPECT_EQ("1 1", InternetValues());

    system.registry.calls.clear();
    SuppressAutodial(0);  // the worker finishing after the exit path
    SuppressAutodial(1);  // or a worker only now starting its probe
    EXPECT_TRUE(system.registry.calls.empty());
    EXPECT_EQ("1 1", InternetValues());

    RestoreAutodialAtExit();  // nothing is switched off now: nothing to write
    EXPECT_TRUE(system.registry.calls.empty());
}

TEST_F(Autodial, ExitOnNt4RestoresLoginSessionDisable) {
    RunOn(4, 0, platform::kPlatformNt);
    system.registry.PutDword(kRasControl, "LoginSessionDisable", 0);
    SuppressAutodial(1);
    RestoreAutodialAtExit();
    EXPECT_EQ(0u, system.registry.Dword(kRasControl, "LoginSessionDisable"));
}

TEST_F(Autodial, VersionIsAskedOnceAndCached) {
    int major = 0;
    RunOn(6, 1, platform::kPlatformNt);
    EXPECT_TRUE(IsWinNT(&major));
    EXPECT_EQ(6, major);
    system.version.record = {4, 10, 0, platform::kPlatformWindows, ""};
    major = 0;
    EXPECT_TRUE(IsWinNT(&major));
    EXPECT_EQ(6, major);
    EXPECT_EQ(1, system.version.calls);

    g_iWinNT = -1;
    EXPECT_FALSE(IsWinNT(&major));
    EXPECT_EQ(4, major);
}

TEST_F(Autodial, FailedVersionCallCountsAsNotNt) {
    system.version.fail = true;
    int major = 9;
    EXPECT_FALSE(IsWinNT(&major));
    EXPECT_EQ(0, major);
    PutUserValues(1, 1);
    SuppressAutodial(1);
    EXPECT_EQ("0 0", InternetValues());
    SuppressAutodial(0);
    EXPECT_EQ("1 1", InternetValues());
}

}  // namespace
