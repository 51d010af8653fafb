#pragma once

#include <atomic>
#include <vector>

#include "keepalive/registry_value.h"

// Switches the system's autodial off around a probe and puts the user's values back after it.

// What the switch holds between a switch-off and its write-back. Touched only under the switch's
// own lock. Never destroyed: a worker may still be waiting on the network when the program ends.
struct AutodialMemory {
    bool switchedOff = false;  // the user's values are out of the registry right now
    unsigned owner = 0;        // the probe that switched off; only its write-back counts
    std::vector<RegistryValue> userValues;  // exactly as the switch-off found them
    bool closing = false;  // the program is ending: the switch is not touched any more
};

extern AutodialMemory& g_autodialMemory;

// The version as the first IsWinNT call found it: NT 1, not NT 0, not yet known -1.
extern std::atomic<int> g_iWinNT;
extern std::atomic<int> g_iWinMajor;

// True on the NT family; *pMajor receives the major version. Asks the system once.
bool IsWinNT(int* pMajor);

// on = 1 switches autodial off for the probe `owner`, after keeping the user's values in memory
// and in the program's own key; when autodial is off already, `owner` takes it over and the
// values kept stay the user's. on = 0 puts the user's values back, only when `owner` holds the
// switch: a probe given up on may end late and must not write.
void SuppressAutodial(int on, unsigned owner);

// Puts the user's values back when the program ends while a probe has autodial switched off;
// afterwards the switch does nothing, so a worker still running cannot write again.
void RestoreAutodialAtExit();

// The session end that RestoreAutodialAtExit answered was cancelled: the run goes on, and its
// probes switch autodial again.
void ReopenAutodial();

// At start-up: puts back the user's values that an earlier run switched off and could not
// restore (killed, crashed, the session ended), from the record in the program's own key.
void RepairAutodial();
