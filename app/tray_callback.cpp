#include "app/tray_callback.h"

namespace {

// The window messages the shell relays as events.
constexpr unsigned kContextMenu = 0x007B;
constexpr unsigned kLeftDoubleClick = 0x0203;

int SignedWord(std::uintptr_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

}  // namespace

TrayCallback ReadTrayCallback(std::uintptr_t wParam, std::intptr_t lParam, unsigned iconId) {
    const auto bits = static_cast<std::uintptr_t>(lParam);
    const unsigned event = bits & 0xFFFF;
    const unsigned id = (bits >> 16) & 0xFFFF;
    TrayCallback callback{TrayRequest::None, SignedWord(wParam), SignedWord(wParam >> 16)};
    if (id != iconId) return callback;
    if (event == kLeftDoubleClick) callback.request = TrayRequest::Restore;
    if (event == kContextMenu) callback.request = TrayRequest::Menu;
    return callback;
}
