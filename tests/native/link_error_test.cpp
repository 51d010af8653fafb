#include "links/link_error.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/doubles/fake_system.h"

namespace {

class ReportErrorBox : public ::testing::Test {
  protected:
    void SetUp() override { StartAs("C:\\Programs\\Nimbrel\\nimbrel.exe"); }
    void StartAs(const std::string& programPath) { system.process.programPath = programPath; }
    const FakeUser::Box& OnlyBox() const {
        EXPECT_EQ(1u, system.user.boxes.size());
        return system.user.boxes.back();
    }

    FakeSystem system;
};

// The shell's codes up to 32 that have a reason of their own: each gets a different one, and
// none reads as an unknown error.
TEST_F(ReportErrorBox, EveryKnownCodeHasAReasonOfItsOwn) {
    const std::string prefix = "Unable to open hyperlink:\n\n";
    std::set<std::string> reasons;
    for (int code : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32}) {
        system.user.boxes.clear();
        ReportError(code, 77);
        const std::string& text = OnlyBox().text;
        ASSERT_EQ(0u, text.rfind(prefix, 0)) << "code " << code;
        EXPECT_EQ(std::string::npos, text.find("Unknown Error")) << "code " << code;
        EXPECT_TRUE(reasons.insert(text.substr(prefix.size())).second) << "code " << code;
    }
    system.user.boxes.clear();
    ReportError(2, 77);
    EXPECT_EQ(prefix + "The specified file was not found.", OnlyBox().text);
}

TEST_F(ReportErrorBox, OtherCodesAreUnknownErrorsWithTheirNumber) {
    for (int code : {1, 4, 12, 25, 33, -7, 1000}) {
        system.user.boxes.clear();
        ReportError(code, 0);
        EXPECT_EQ(
            "Unable to open hyperlink:\n\nUnknown Error (" + std::to_string(code) + ") occurred.",
            OnlyBox().text);
    }
}

TEST_F(ReportErrorBox, ExclamationBoxOwnedByTheGivenWindowWithTheProgramsName) {
    ReportError(2, 77);
    EXPECT_EQ(77, OnlyBox().owner);
    EXPECT_EQ(platform::MessageIcon::kWarning, OnlyBox().icon);
    EXPECT_EQ("nimbrel", OnlyBox().caption);
    EXPECT_EQ(0, system.user.beeps);  // the beep is the click's, not the report's

    system.user.boxes.clear();
    StartAs("D:\\Tools\\KeepUp.EXE");
    ReportError(2, 0);
    EXPECT_EQ("KeepUp", OnlyBox().caption);

    system.user.boxes.clear();
    StartAs("nimbrel");
    ReportError(2, 0);
    EXPECT_EQ("nimbrel", OnlyBox().caption);

    system.user.boxes.clear();
    StartAs("");
    ReportError(2, 0);
    EXPECT_EQ("Nimbrel", OnlyBox().caption);
}

}  // namespace
