#include "platform/win32/notify_icon.h"

#include "platform/win32/loaded_library.h"

namespace platform {

bool NotifyIcon(DWORD message, NOTIFYICONDATAA* data) {
    using NotifyIconA = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*);
    const LoadedLibrary shell("shell32.dll");
    const auto notify = shell.Function<NotifyIconA>("Shell_NotifyIconA");
    return notify && notify(message, data);
}

}  // namespace platform
