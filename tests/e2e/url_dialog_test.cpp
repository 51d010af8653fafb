#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace {

using namespace driver;

constexpr int kUrlEdit = 1235;
constexpr int kResult = 1098;
constexpr int kExplanation = 1099;
constexpr int kNote = 1236;
constexpr int kTestButton = 1100;

constexpr const char* kPrompt = "Click to test website (URL) ==>";

class FirstRunDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        dialog = nimbrel.DialogWith(kUrlEdit);
        ASSERT_NE(nullptr, dialog);
    }
    void TearDown() override { settings::Clear(); }

    Nimbrel nimbrel;
    HWND dialog = nullptr;
};

TEST_F(FirstRunDialog, ShowsTheDefaultUrlThePromptAndTheLayoutTexts) {
    EXPECT_EQ("http://www.", ItemText(dialog, kUrlEdit));
    EXPECT_EQ(kPrompt, ItemText(dialog, kResult));
    EXPECT_EQ(
        "Please enter the URL of your favorite major web site. Nimbrel uses this information to "
        "simulate traffic. \nEnter the website in the  format: http://www.DOMAIN.com",
        ItemText(dialog, kExplanation));
    EXPECT_EQ("Note: You can change the URL later under the >Settings< tab.",
              ItemText(dialog, kNote));
    EXPECT_EQ("Test this URL", ItemText(dialog, kTestButton));
    EXPECT_EQ("", Text(dialog));
    EXPECT_EQ(299, SendMessageA(GetDlgItem(dialog, kUrlEdit), EM_GETLIMITTEXT, 0, 0));

    Click(dialog, IDOK);
    EXPECT_NE(nullptr, nimbrel.MainWindow());
}

}  // namespace
