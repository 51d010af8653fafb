#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/service.h"

// The registry as the logic uses it: keys opened to read or to change, values read and written
// as text, as numbers or exactly as stored. Names and texts are UTF-8.
namespace platform {

using Key = std::intptr_t;  // an open key; 0 is none

enum class Root { kCurrentUser, kLocalMachine, kClassesRoot };

// Reading only; changing values and subkeys of an existing key; or changing them in a key
// that is made when missing, with any missing parents.
enum class KeyAccess { kRead, kChange, kCreate };

enum class KeyOpening { kOpened, kMissing, kFailed };
enum class ValueReading { kRead, kMissing, kFailed };

// A value as the registry holds it: the system's type number and the bytes, both kept as they
// are so that a copy written back is the same value.
struct StoredValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;

    bool operator==(const StoredValue& other) const {
        return type == other.type && bytes == other.bytes;
    }
};

class IRegistry {
  public:
    virtual ~IRegistry() = default;
    virtual KeyOpening OpenKey(Root root, const std::string& path, KeyAccess access, Key* key) = 0;
    virtual void CloseKey(Key key) = 0;
    // A text value, plain or expandable, exactly as stored (nothing is expanded); nothing when
    // the value is missing, unreadable or of another type. "" names the key's default value.
    virtual std::optional<std::string> ReadText(Key key, const std::string& name) = 0;
    // A number of four bytes; nothing when the value is missing or anything else.
    virtual std::optional<std::uint32_t> ReadNumber(Key key, const std::string& name) = 0;
    virtual ValueReading ReadStored(Key key, const std::string& name, StoredValue* value) = 0;
    // Writes text; a value stored as expandable text stays expandable, any other becomes plain.
    virtual bool WriteText(Key key, const std::string& name, const std::string& text) = 0;
    virtual bool WriteNumber(Key key, const std::string& name, std::uint32_t number) = 0;
    virtual bool WriteStored(Key key, const std::string& name, const StoredValue& value) = 0;
    // True when the value is gone, also when there was none.
    virtual bool DeleteValue(Key key, const std::string& name) = 0;
    // Deletes a subkey that has no subkeys of its own.
    virtual bool DeleteSubKey(Key key, const std::string& name) = 0;
};

inline IRegistry& Registry() {
    return Use<IRegistry>();
}

}  // namespace platform
