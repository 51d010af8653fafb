#include "platform/win32/notify_icon.h"

#include "platform/win32/loaded_library.h"

namespace platform {

bool NotifyIcon(DWORD message, NOTIFYICONDATAW* data) {
    using NotifyIconW = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    const LoadedLibrary shell("shell32.dll");
    const auto notify = shell.Function<NotifyIconW>("Shell_NotifyIconW");
    return notify && notify(message, data);
}

}  // namespace platform
