#pragma once

#include <atomic>
#include <cstdint>

// Switches the system's autodial off around a probe and puts the user's values back after it.

// What the switch remembers from a switch-off until its write-back. Touched only under the
// switch's own lock, by the probe's worker and by RestoreAutodialAtExit.
struct AutodialMemory {
    int switchedOffOnce = 0;  // Internet Settings: until set, a write-back does nothing
    std::uint32_t enableAutodial = 0;
    std::uint32_t noNetAutodial = 0;
    int rasSwitchedOffOnce = 0;  // the same guard for the NT 4 branch
    std::uint32_t loginSessionDisable = 3;
    bool loginSessionDisableMissing = false;  // then the write-back removes the value again
    bool switchedOff = false;                 // the user's values are out of the registry right now
    bool closing = false;  // the program is ending: the switch is not touched any more
};

extern AutodialMemory g_autodialMemory;

// The version as the first IsWinNT call found it: NT 1, not NT 0, not yet known -1.
extern std::atomic<int> g_iWinNT;
extern std::atomic<int> g_iWinMajor;

// True on the NT family; *pMajor receives the major version. Asks the system once.
bool IsWinNT(int* pMajor);

// on = 1 remembers the user's autodial values and switches autodial off; on = 0 writes the
// remembered values back. Nothing is written back before a first switch-off.
void SuppressAutodial(int on);

// The NT 4 branch: "LoginSessionDisable" under the RAS autodial key.
void SuppressRasLoginAutodial(int on);

// Puts the user's values back when the program ends while a probe has autodial switched off;
// afterwards the switch does nothing, so a worker still running cannot write again.
void RestoreAutodialAtExit();
