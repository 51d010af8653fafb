#include "keepalive/registry_value.h"

bool ReadRegistryValue(platform::Key key, const char* name, RegistryValue* value) {
    *value = RegistryValue{};
    if (key == 0) return false;
    switch (platform::Registry().ReadStored(key, name, &value->stored)) {
        case platform::ValueReading::kRead:
            value->present = true;
            return true;
        case platform::ValueReading::kMissing:
            return true;
        case platform::ValueReading::kFailed:
            break;
    }
    return false;
}

bool WriteRegistryValue(platform::Key key, const char* name, const RegistryValue& value) {
    if (!value.present) return platform::Registry().DeleteValue(key, name);
    return platform::Registry().WriteStored(key, name, value.stored);
}
