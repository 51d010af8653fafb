#include "keepalive/registry_value.h"

namespace {

// Values that change size between the two reads are read again a few times.
constexpr int kReadAttempts = 4;

}  // namespace

bool ReadRegistryValue(platform::Key key, const char* name, RegistryValue* value) {
    *value = RegistryValue{};
    if (key == 0) return false;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        long rc = platform::Registry().QueryValueEx(key, name, &type, nullptr, &size);
        if (rc == platform::kErrorFileNotFound) return true;
        if (rc != platform::kErrorSuccess) return false;
        std::vector<std::uint8_t> bytes(size);
        rc = platform::Registry().QueryValueEx(key, name, &type,
                                               bytes.empty() ? nullptr : bytes.data(), &size);
        if (rc == platform::kErrorMoreData) continue;
        if (rc == platform::kErrorFileNotFound) return true;
        if (rc != platform::kErrorSuccess) return false;
        bytes.resize(size);
        *value = RegistryValue{true, type, std::move(bytes)};
        return true;
    }
    return false;
}

bool WriteRegistryValue(platform::Key key, const char* name, const RegistryValue& value) {
    if (!value.present) {
        const long rc = platform::Registry().DeleteValue(key, name);
        return rc == platform::kErrorSuccess || rc == platform::kErrorFileNotFound;
    }
    return platform::Registry().SetValueEx(
               key, name, value.type, value.bytes.empty() ? nullptr : value.bytes.data(),
               static_cast<std::uint32_t>(value.bytes.size())) == platform::kErrorSuccess;
}
