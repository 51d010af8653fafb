#pragma once

#include "keepalive/online_probe.h"
#include "settings/language.h"
#include "settings/settings.h"

// What the next probe opens, as the settings stand now. Autodial may dial for it only when the
// user allows redialling; a Redial value other than 0 reads as allowed, as the page shows it.
ProbeTarget ProbeTargetFor(const Settings& settings);

// A keep-alive URL the probe cannot request (not http or https, no server, a bad port) would
// leave the line offline for good without a word: it is told to the user. A URL too short to be
// one has warnings of its own.
bool NeedsNotWebAddressWarning(const std::string& url);
// That warning in the language in use: the status page's box, and the URL test's short result.
std::string NotWebAddressWarning(const LanguageTexts& texts);
std::string NotWebAddressTestResult(const LanguageTexts& texts);
// Their keys in the language file.
inline constexpr const char* kNotWebAddressWarningKey = "urlnotweb";
inline constexpr const char* kNotWebAddressTestResultKey = "urltestnotweb";
