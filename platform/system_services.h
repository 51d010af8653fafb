#pragma once

namespace platform {

// Installs the Win32 forwarders as the services the logic uses; the exe does it first, before
// anything reads a setting or starts a thread.
void InstallWin32Services();

}  // namespace platform
