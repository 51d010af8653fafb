#include "ui/link_error.h"

#include <gtest/gtest.h>

#include "settings/folders.h"
#include "tests/doubles/fake_system.h"

namespace {

class ReportErrorBox : public ::testing::Test {
  protected:
    void SetUp() override { StartAs("C:\\Programs\\Nimbrel\\nimbrel.exe"); }
    void StartAs(const std::string& programPath) {
        system.process.modulePath = programPath;
        InitFolders();
    }
    const FakeUser::Box& OnlyBox() const {
        EXPECT_EQ(1u, system.user.boxes.size());
        return system.user.boxes.back();
    }

    FakeSystem system;
};

TEST_F(ReportErrorBox, EveryKnownCodeHasItsReason) {
    const std::pair<int, const char*> reasons[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30,
         "The DDE transaction could not\nbe completed because other DDE transactions\n"
         "were being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    for (const auto& [code, reason] : reasons) {
        system.user.boxes.clear();
        ReportError(code, 77);
        EXPECT_EQ(std::string("Unable to open hyperlink:\n\n") + reason, OnlyBox().text)
            << "code " << code;
    }
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
    EXPECT_EQ(0x30u, OnlyBox().type);
    EXPECT_EQ("nimbrel", OnlyBox().caption);
    EXPECT_TRUE(system.user.beeps.empty());  // the beep is the click's, not the report's

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
