#include "app/probe_target.h"

#include "keepalive/probe_address.h"
#include "settings/translated_text.h"

ProbeTarget ProbeTargetFor(const Settings& settings) {
    return {settings.url, settings.savedUrl, !settings.redial};
}

bool NeedsNotWebAddressWarning(const std::string& url) {
    return url.size() >= kShortestUrl && !IsWebAddress(url);
}

std::string NotWebAddressWarning(const LanguageTexts& texts) {
    return TranslatedText(texts, kNotWebAddressWarningKey,
                          "The keep-alive URL cannot be opened: it must start with http:// or "
                          "https:// and name a server. Until you change it under >Settings<, "
                          "Nimbrel stays offline.");
}

std::string NotWebAddressTestResult(const LanguageTexts& texts) {
    return TranslatedText(texts, kNotWebAddressTestResultKey, "URL must start with http(s)://");
}
