#pragma once

#include <cstdint>

// What the user asks for on the notification-area icon.
enum class TrayRequest { None, Restore, Menu };

struct TrayCallback {
    TrayRequest request;
    // Where the menu goes, in screen coordinates: the click, or the icon for the keyboard.
    int x;
    int y;
};

// Reads the icon's callback message in the form of the shell's version 4: the event in the low
// word of lParam and the icon's id in its high word, the anchor point in wParam. A double click
// restores; the context menu comes once per right click (on release) or menu key. Events for
// another icon ask for nothing.
TrayCallback ReadTrayCallback(std::uintptr_t wParam, std::intptr_t lParam, unsigned iconId);
