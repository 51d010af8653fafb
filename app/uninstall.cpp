#include "app/uninstall.h"

#include "settings/autostart.h"
#include "settings/settings.h"

void RemoveProgramTraces(Autostart& autostart) {
    autostart.Set(false);
    DeleteSettingsKey();
}
