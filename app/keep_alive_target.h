#pragma once

#include "keepalive/online_probe.h"

// What a keep-alive probe and the URL dialog's test open: the keep-alive URL in force, with
// autodial left to the system only when the user allows redialling.
ProbeTarget KeepAliveTarget();
