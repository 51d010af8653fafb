#pragma once

// Where the logic finds its system services. The exe installs the Win32 forwarders at start-up;
// native tests install doubles. Installed once, before any worker thread runs.
namespace platform {

template <class Interface>
Interface*& ServiceSlot() {
    static Interface* slot = nullptr;
    return slot;
}

template <class Interface>
Interface& Use() {
    return *ServiceSlot<Interface>();
}

template <class Interface>
void Provide(Interface* impl) {
    ServiceSlot<Interface>() = impl;
}

}  // namespace platform
