#include "settings/keep_alive_url.h"

namespace {

// Long enough never to count as a short URL.
constexpr const char* kTestedMarker = "---------------";

}  // namespace

void SetKeepAliveUrl(Settings& settings, const std::string& url) {
    settings.url = url.substr(0, kUrlMaxLength);
}

void SetTestedUrl(Settings& settings, const std::string& url) {
    SetKeepAliveUrl(settings, url);
    settings.savedUrl = kTestedMarker;
}
