#include "settings/shortcut_failure.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_system.h"

namespace {

TEST(ShortcutFailure, TheUserIsToldOnceARunInABoxOwnedByTheWindow) {
    FakeSystem system;
    ShortcutFailureNotice notice;
    notice.Tell(0x1234, "C:\\Startup\\");
    notice.Tell(0x1234, "C:\\Startup\\");
    ASSERT_EQ(1u, system.user.boxes.size());
    const FakeUser::Box& box = system.user.boxes[0];
    EXPECT_EQ(0x1234, box.owner);
    EXPECT_EQ("Quaddle", box.caption);
    EXPECT_EQ(platform::MessageIcon::kWarning, box.icon);
    EXPECT_NE(std::string::npos, box.text.find(":\nC:\\Startup\\\n")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find("will not start")) << box.text;

    ShortcutFailureNotice nextRun;
    nextRun.Tell(0, "");
    EXPECT_NE(std::string::npos, system.user.boxes.at(1).text.find("Startup folder.\n"));
}

}  // namespace
