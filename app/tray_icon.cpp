#include "app/tray_icon.h"

#include "res/resource.h"

const UINT g_uIconNotifyMessage = RegisterWindowMessageA("WM_ICONNOTIFY");
const UINT g_uTaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V2_SIZE == 488, "the shell-5 icon record");

NOTIFYICONDATAA MakeTrayIconRecord(HWND window, HICON icon) {
    NOTIFYICONDATAA record{};
    // The shell-5 record: a tip of up to 127 characters, understood by every shell since.
    record.cbSize = NOTIFYICONDATAA_V2_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = g_uIconNotifyMessage;
    record.hIcon = icon;
    LoadStringA(GetModuleHandleA(nullptr), IDS_TRAY_TIP, record.szTip, sizeof record.szTip);
    return record;
}
