#pragma once

#include "platform/registry.h"

// One registry value exactly as it is: its type and bytes, or that it does not exist.
struct RegistryValue {
    bool present = false;
    platform::StoredValue stored;

    bool operator==(const RegistryValue& other) const {
        return present == other.present && stored == other.stored;
    }
};

// Reads the value whole; false when it exists but cannot be read (a missing value is read as
// not present).
bool ReadRegistryValue(platform::Key key, const char* name, RegistryValue* value);

// Writes the value with its own type and bytes, or deletes it when it was not present.
bool WriteRegistryValue(platform::Key key, const char* name, const RegistryValue& value);
