#pragma once

#include "keepalive/online_probe.h"
#include "settings/settings.h"

// What the next probe opens, as the settings stand now. Autodial may dial for it only when the
// user allows redialling; a Redial value other than 0 reads as allowed, as the page shows it.
ProbeTarget ProbeTargetFor(const Settings& settings);
