#include "app/uninstall.h"

#include <windows.h>

#include "settings/autostart.h"
#include "settings/settings.h"

void UninstallAndQuit(Autostart& autostart) {
    autostart.Set(false);
    DeleteSettingsKey();
    PostQuitMessage(0);
}
