#include "app/keep_alive_target.h"

#include "settings/keep_alive_url.h"
#include "settings/settings.h"

ProbeTarget KeepAliveTarget() {
    ProbeTarget target;
    target.url = SettingUrl();
    target.savedUrl = g_strURL2;
    target.suppressAutodial = g_bRedial == 0;
    return target;
}
