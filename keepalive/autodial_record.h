#pragma once

#include <vector>

#include "keepalive/registry_value.h"

// The user's autodial values as a switch-off found them, kept in the program's own registry key
// from before the switch-off until they are back. A run that ends without putting them back
// (killed, crashed, the session ended) leaves the record, and the next start repairs from it.
//
// In HKCU\SOFTWARE\QUADDLE\nimbrel2: "AutodialSwitchedOff" (REG_DWORD 1) says the record holds;
// "Saved <name>" is a copy of each value with the user's own type and bytes, and a value the
// user did not have has no copy.

// Writes the record for these values; false when it could not be written whole.
bool SaveAutodialRecord(const std::vector<const char*>& names,
                        const std::vector<RegistryValue>& values);

// The values of a record that holds, in the order of names; false when there is none.
bool LoadAutodialRecord(const std::vector<const char*>& names, std::vector<RegistryValue>* values);

void ClearAutodialRecord(const std::vector<const char*>& names);
