#include "keepalive/probe_address.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::uint16_t kHttpPort = 80;
constexpr std::uint16_t kHttpsPort = 443;

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// "1".."65535" only.
std::optional<std::uint16_t> ParsePort(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    if (value == 0 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace

std::optional<ProbeAddress> SplitProbeUrl(const std::string& url) {
    ProbeAddress address;
    std::string rest;
    if (StartsWithNoCase(url, "http://")) {
        rest = url.substr(7);
        address.port = kHttpPort;
    } else if (StartsWithNoCase(url, "https://")) {
        rest = url.substr(8);
        address.secure = true;
        address.port = kHttpsPort;
    } else {
        return std::nullopt;
    }
    rest = rest.substr(0, rest.find('#'));
    const std::size_t objectAt = rest.find_first_of("/?");
    std::string authority = rest.substr(0, objectAt);
    address.object = objectAt == std::string::npos ? "/" : rest.substr(objectAt);
    if (address.object[0] == '?') address.object.insert(0, "/");
    const std::size_t userEnd = authority.rfind('@');
    if (userEnd != std::string::npos) authority.erase(0, userEnd + 1);
    // A colon after the last "]" separates the port; an IPv6 address keeps its own colons.
    const std::size_t bracket = authority.rfind(']');
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        const auto port = ParsePort(authority.substr(colon + 1));
        if (!port) return std::nullopt;
        address.port = *port;
        authority.erase(colon);
    }
    if (authority.size() > 2 && authority.front() == '[' && authority.back() == ']')
        authority = authority.substr(1, authority.size() - 2);
    if (authority.empty()) return std::nullopt;
    address.host = authority;
    return address;
}

bool IsWebAddress(const std::string& url) {
    return SplitProbeUrl(url).has_value();
}
