#include "keepalive/run_state.h"

int g_iMode = kModeOff;
int g_bStartInTray = 0;
