#include "app/tray_callback.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kId = 100;
constexpr unsigned kContextMenu = 0x007B;
constexpr unsigned kLeftDown = 0x0201;
constexpr unsigned kLeftUp = 0x0202;
constexpr unsigned kLeftDoubleClick = 0x0203;
constexpr unsigned kRightDown = 0x0204;
constexpr unsigned kRightUp = 0x0205;
constexpr unsigned kMouseMove = 0x0200;
constexpr unsigned kSelect = 0x0400;  // the shell's own event after a left click

// The callback as the shell sends it: anchor point in wParam, event and id in lParam.
TrayCallback Send(unsigned event, unsigned id = kId, int x = 640, int y = 750) {
    const auto anchor = static_cast<std::uintptr_t>(static_cast<std::uint16_t>(x)) |
                        static_cast<std::uintptr_t>(static_cast<std::uint16_t>(y)) << 16;
    const auto lParam = static_cast<std::intptr_t>(event | id << 16);
    return ReadTrayCallback(anchor, lParam, kId);
}

// A right click brings button down, button up and the context-menu event: one menu, on the last.
TEST(TrayCallback, DoubleClickRestoresAndTheMenuComesOncePerRightClick) {
    EXPECT_EQ(TrayRequest::Restore, Send(kLeftDoubleClick).request);
    EXPECT_EQ(TrayRequest::Menu, Send(kContextMenu).request);
    for (unsigned event : {kRightDown, kRightUp, kLeftDown, kLeftUp, kSelect, kMouseMove})
        EXPECT_EQ(TrayRequest::None, Send(event).request) << event;
}

TEST(TrayCallback, TheMenuGoesToTheAnchorEvenLeftOfOrAboveThePrimaryScreen) {
    const TrayCallback menu = Send(kContextMenu, kId, 1500, 1040);
    EXPECT_EQ(1500, menu.x);
    EXPECT_EQ(1040, menu.y);
    const TrayCallback left = Send(kContextMenu, kId, -1280, -20);
    EXPECT_EQ(-1280, left.x);
    EXPECT_EQ(-20, left.y);
}

TEST(TrayCallback, AnotherIconsEventsAndTheOldLayoutAskForNothing) {
    EXPECT_EQ(TrayRequest::None, Send(kLeftDoubleClick, 101).request);
    EXPECT_EQ(TrayRequest::None, Send(kContextMenu, 0).request);
    // Id in wParam, event in lParam: the layout before version 4.
    EXPECT_EQ(TrayRequest::None, ReadTrayCallback(kId, kLeftDoubleClick, kId).request);
}

}  // namespace
