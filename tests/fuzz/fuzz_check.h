#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

// A broken invariant ends the run like a crash, so libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* invariant, const std::string& detail = "") {
    if (holds) return;
    std::fprintf(stderr, "\nINVARIANT BROKEN: %s\n%s\n", invariant, detail.c_str());
    std::abort();
}

// Text for a message, with bytes outside printable ASCII shown as \xNN.
inline std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (const unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        }
    }
    return shown + "\"";
}
