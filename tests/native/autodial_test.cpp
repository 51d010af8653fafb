#include "keepalive/autodial.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/doubles/fake_system.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kInternetSettings =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kRasControl = "HKCU\\Software\\Microsoft\\RAS Autodial\\Control";
const std::string kOwnKey = "HKCU\\SOFTWARE\\QUADDLE\\nimbrel2";

class Autodial : public ::testing::Test {
  protected:
    void RunOn(std::uint32_t major, std::uint32_t minor, platform::WindowsFamily platformId) {
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
    bool RecordHolds() const { return system.registry.Find(kOwnKey, "AutodialSwitchedOff"); }

    FakeSystem system;
    std::unique_ptr<AutodialSwitch> autodial = std::make_unique<AutodialSwitch>();
};

TEST_F(Autodial, WriteBackRestoresTypeBytesAndAbsenceExactly) {
    const Bytes binaryOne{1, 0, 0, 0, 0, 0, 0, 0};
    system.registry.PutRaw(kInternetSettings, "NoNetAutodial", FakeRegistry::kBinary, binaryOne);
    autodial->SwitchOff(7);
    EXPECT_EQ("0 0", InternetValues());
    EXPECT_TRUE(RecordHolds());  // written before the switch-off
    autodial->SwitchBack(7);
    const FakeRegistry::Value* noNet = system.registry.Find(kInternetSettings, "NoNetAutodial");
    ASSERT_NE(nullptr, noNet);
    EXPECT_EQ(FakeRegistry::kBinary, noNet->type);
    EXPECT_EQ(binaryOne, noNet->bytes);
    EXPECT_EQ(nullptr, system.registry.Find(kInternetSettings, "EnableAutodial"));
    EXPECT_FALSE(RecordHolds());
    EXPECT_EQ(nullptr, system.registry.Find(kOwnKey, "Saved NoNetAutodial"));

    for (const auto& values : {std::pair<std::uint32_t, std::uint32_t>{1, 1}, {7, 0}}) {
        PutUserValues(values.first, values.second);
        const std::string users = InternetValues();
        autodial->SwitchOff(8);
        EXPECT_EQ("0 0", InternetValues());
        autodial->SwitchBack(8);
        EXPECT_EQ(users, InternetValues());
    }
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Autodial, ValuesGoBackWhenTheLastProbeHoldingThemOffEnds) {
    PutUserValues(1, 1);
    autodial->SwitchBack(1);  // before any switch-off
    EXPECT_TRUE(system.registry.calls.empty());

    autodial->SwitchOff(1);
    autodial->SwitchOff(2);   // a newer probe while the first still holds it: 0s are not the user's
    autodial->SwitchBack(1);  // the older one ends late
    EXPECT_EQ("0 0", InternetValues());
    autodial->SwitchBack(2);
    EXPECT_EQ("1 1", InternetValues());
    autodial->SwitchBack(2);  // once back, a repeat writes nothing
    EXPECT_EQ("1 1", InternetValues());

    autodial->SwitchOff(3);
    autodial->SwitchOff(4);
    autodial->SwitchBack(4);  // a dropped older probe is still closing its handles
    EXPECT_EQ("0 0", InternetValues());
    autodial->SwitchBack(3);
    EXPECT_EQ("1 1", InternetValues());
}

TEST_F(Autodial, RecordLeftByAnotherRunHoldsTheUsersValues) {
    PutUserValues(1, 1);
    autodial->SwitchOff(1);
    autodial =
        std::make_unique<AutodialSwitch>();  // that run is gone; its 0s are still in the registry
    autodial->SwitchOff(1);
    autodial->SwitchBack(1);
    EXPECT_EQ("1 1", InternetValues());
    EXPECT_FALSE(RecordHolds());
}

TEST_F(Autodial, StartUpRepairsFromTheRecordOnly) {
    PutUserValues(1, 1);
    autodial->Repair();
    EXPECT_EQ("1 1", InternetValues());
    for (const std::string& call : system.registry.calls)
        EXPECT_EQ(std::string::npos, call.find("Write")) << call;

    autodial->SwitchOff(1);
    autodial = std::make_unique<AutodialSwitch>();  // killed while switched off
    autodial->Repair();
    EXPECT_EQ("1 1", InternetValues());
    EXPECT_FALSE(RecordHolds());
}

TEST_F(Autodial, NothingIsSwitchedWhenTheUsersValuesCannotBeKept) {
    PutUserValues(1, 1);
    system.registry.failingKeys = {"QUADDLE"};
    autodial->SwitchOff(1);
    EXPECT_EQ("1 1", InternetValues());
    system.registry.failingKeys = {"Internet Settings"};
    autodial->SwitchOff(2);
    autodial->SwitchBack(2);
    system.registry.failingKeys.clear();
    EXPECT_EQ("1 1", InternetValues());
    EXPECT_FALSE(RecordHolds());
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Autodial, EveryNtFromVersionFiveAndThe95FamilyUseInternetSettings) {
    const platform::OsVersion systems[] = {
        {5, 0, 0, platform::WindowsFamily::Nt, ""},
        {6, 1, 0, platform::WindowsFamily::Nt, ""},
        {10, 0, 0, platform::WindowsFamily::Nt, ""},
        {4, 10, 0, platform::WindowsFamily::Windows95, ""},
    };
    for (const platform::OsVersion& version : systems) {
        SCOPED_TRACE(std::to_string(version.majorVersion) + "." +
                     std::to_string(version.minorVersion));
        autodial = std::make_unique<AutodialSwitch>();
        system.version.record = version;
        PutUserValues(1, 1);
        autodial->SwitchOff(1);
        EXPECT_EQ("0 0", InternetValues());
        autodial->SwitchBack(1);
        EXPECT_EQ("1 1", InternetValues());
        EXPECT_FALSE(system.registry.HasKey(kRasControl));
    }
    EXPECT_TRUE(system.user.boxes.empty());
}

TEST_F(Autodial, Nt4TouchesOnlyLoginSessionDisableAndKeepsItsBytes) {
    RunOn(4, 0, platform::WindowsFamily::Nt);
    PutUserValues(1, 1);
    const Bytes fiveBytes{0, 0, 0, 0, 9};
    system.registry.PutRaw(kRasControl, "LoginSessionDisable", FakeRegistry::kBinary, fiveBytes);
    system.registry.calls.clear();
    autodial->SwitchOff(1);
    EXPECT_EQ(1u, system.registry.Dword(kRasControl, "LoginSessionDisable"));
    autodial->SwitchBack(1);
    EXPECT_EQ(fiveBytes, system.registry.Find(kRasControl, "LoginSessionDisable")->bytes);
    EXPECT_EQ("1 1", InternetValues());
    for (const std::string& call : system.registry.calls)
        EXPECT_EQ(std::string::npos, call.find("NoNetAutodial")) << call;
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

TEST_F(Autodial, UnknownNtBelowFourWarnsAndTouchesNothing) {
    RunOn(3, 51, platform::WindowsFamily::Nt);
    PutUserValues(1, 1);
    system.registry.calls.clear();
    autodial->SwitchOff(1);
    autodial->SwitchBack(1);
    EXPECT_TRUE(system.registry.calls.empty());
    ASSERT_EQ(1u, system.user.boxes.size());
    const FakeUser::Box& box = system.user.boxes[0];
    EXPECT_EQ(0, box.owner);
    EXPECT_EQ("os version error", box.text);
    EXPECT_EQ("internal error", box.caption);
    EXPECT_EQ(platform::MessageIcon::kWarning, box.icon);
}

TEST_F(Autodial, ExitPutsTheValuesBackOnceAndStopsTheSwitch) {
    PutUserValues(1, 1);
    autodial->SwitchOff(1);
    autodial->RestoreAtExit();
    EXPECT_EQ("1 1", InternetValues());
    EXPECT_FALSE(RecordHolds());

    system.registry.calls.clear();
    autodial->SwitchBack(1);  // the worker finishing after the exit path
    autodial->SwitchOff(2);   // or a worker only now starting its probe
    autodial->RestoreAtExit();
    EXPECT_TRUE(system.registry.calls.empty());
    EXPECT_EQ("1 1", InternetValues());
}

TEST_F(Autodial, ACancelledSessionEndLetsLaterProbesSwitchAgain) {
    PutUserValues(1, 1);
    autodial->SwitchOff(1);
    autodial->RestoreAtExit();
    autodial->Reopen();
    autodial->SwitchBack(1);  // the probe given back at the query writes nothing
    EXPECT_EQ("1 1", InternetValues());
    autodial->SwitchOff(2);
    EXPECT_EQ("0 0", InternetValues());
    autodial->SwitchBack(2);
    EXPECT_EQ("1 1", InternetValues());
}

TEST_F(Autodial, VersionIsAskedOnceAndCached) {
    int major = 0;
    RunOn(6, 1, platform::WindowsFamily::Nt);
    EXPECT_TRUE(autodial->IsWinNT(&major));
    EXPECT_EQ(6, major);
    system.version.record = {4, 10, 0, platform::WindowsFamily::Windows95, ""};
    major = 0;
    EXPECT_TRUE(autodial->IsWinNT(&major));
    EXPECT_EQ(6, major);
    EXPECT_EQ(1, system.version.calls);

    autodial = std::make_unique<AutodialSwitch>();  // a new run asks again
    EXPECT_FALSE(autodial->IsWinNT(&major));
    EXPECT_EQ(4, major);
}

TEST_F(Autodial, FailedVersionCallCountsAsNotNt) {
    system.version.fail = true;
    int major = 9;
    EXPECT_FALSE(autodial->IsWinNT(&major));
    EXPECT_EQ(0, major);
    PutUserValues(1, 1);
    autodial->SwitchOff(1);
    EXPECT_EQ("0 0", InternetValues());
    autodial->SwitchBack(1);
    EXPECT_EQ("1 1", InternetValues());
}

}  // namespace
