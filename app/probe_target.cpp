#include "app/probe_target.h"

ProbeTarget ProbeTargetFor(const Settings& settings) {
    return {settings.url, settings.savedUrl, settings.redial == 0};
}
