#include "app/probe_target.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The settings page shows Redial ticked for any value but 0; autodial is then left to dial.
TEST(ProbeTarget, AutodialIsSwitchedOffExactlyWhenRedialIsUnticked) {
    Settings settings;
    settings.url = "http://keep.example/";
    settings.savedUrl = "---------------";
    for (const int redial : {0, 1, 2, -1, INT_MIN, INT_MAX}) {
        settings.redial = redial;
        const ProbeTarget target = ProbeTargetFor(settings);
        EXPECT_EQ(redial == 0, target.suppressAutodial) << redial;
        EXPECT_EQ("http://keep.example/", target.url);
        EXPECT_EQ("---------------", target.savedUrl);
    }
}

}  // namespace
