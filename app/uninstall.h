#pragma once

class Autostart;

// Removes what the program leaves behind for the user, in this order: the autostart shortcut,
// then the product's settings key (the maker's key stays).
// autostart must follow the language state as read at start-up: it names the shortcut.
void RemoveProgramTraces(Autostart& autostart);
