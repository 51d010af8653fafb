#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/driver.h"

namespace {

using namespace driver;

constexpr const char* kPrompt = "Click to test website (URL) ==>";

class FirstRunDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        dialog = nimbrel.DialogWith(IDC_URL_EDIT);
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override { settings::Clear(); }

    Nimbrel nimbrel;
    HWND dialog = nullptr;
};

TEST_F(FirstRunDialog, ShowsTheDefaultUrlThePromptAndTheLayoutTexts) {
    EXPECT_EQ("http://www.", ItemText(dialog, IDC_URL_EDIT));
    EXPECT_EQ(kPrompt, ItemText(dialog, IDC_TEST_RESULT));
    EXPECT_EQ(
        "Please enter the URL of your favorite major web site. Nimbrel uses this information to "
        "simulate traffic. \nEnter the website in the  format: http://www.DOMAIN.com",
        ItemText(dialog, IDC_EXPLANATION));
    EXPECT_EQ("Note: You can change the URL later under the >Settings< tab.",
              ItemText(dialog, IDC_URL_NOTE));
    EXPECT_EQ("Test this URL", ItemText(dialog, IDC_TEST_URL));
    EXPECT_EQ("", Text(dialog));
    EXPECT_EQ(299, SendMessageA(GetDlgItem(dialog, IDC_URL_EDIT), EM_GETLIMITTEXT, 0, 0));

    Click(dialog, IDOK);
    EXPECT_NE(nullptr, nimbrel.MainWindow());
}

// A URL the probe cannot request is no "offline": the test says what is wrong with it.
TEST_F(FirstRunDialog, TestOfAUrlThatIsNoWebAddressSaysSo) {
    HWND edit = GetDlgItem(dialog, IDC_URL_EDIT);
    const auto resultAfterTest = [&](const std::string& url) {
        SetText(edit, url);
        // Cleared first, so the wait cannot take the previous URL's result for this one's.
        SetText(GetDlgItem(dialog, IDC_TEST_RESULT), "");
        Click(dialog, IDC_TEST_URL);
        WaitUntil([&] { return ItemText(dialog, IDC_TEST_RESULT).find("URL") == 0; }, 10s);
        return ItemText(dialog, IDC_TEST_RESULT);
    };
    EXPECT_EQ("URL must start with http(s)://", resultAfterTest("ftp://files.example/"));
    EXPECT_EQ("URL not correct or PC not online!", resultAfterTest("http://127.0.0.1:1/"));
    EXPECT_EQ("URL must start with http(s)://", resultAfterTest("htp://typo.example/"));
}

}  // namespace
