#include "keepalive/run_state.h"

KeepAliveMode g_mode = KeepAliveMode::Off;
int g_bStartInTray = 0;
