#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The parts of the keep-alive URL a request is made of.
struct ProbeAddress {
    bool secure = false;  // https
    std::string host;
    std::uint16_t port = 0;
    std::string object;  // path and query, at least "/"
};

// Splits an http or https URL ("http://host[:port][/path][?query]", the scheme in any case,
// user information and fragment dropped); nothing for any other text.
std::optional<ProbeAddress> SplitProbeUrl(const std::string& url);

// Whether the probe can request url at all.
bool IsWebAddress(const std::string& url);
