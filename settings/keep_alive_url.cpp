#include "settings/keep_alive_url.h"

#include "platform/text_length.h"

namespace {

// Long enough never to count as a short URL.
constexpr const char* kTestedMarker = "---------------";

}  // namespace

void SetKeepAliveUrl(Settings& settings, const std::string& url) {
    settings.url = CutToUtf16Length(url, kUrlMaxLength);
}

void SetTestedUrl(Settings& settings, const std::string& url) {
    SetKeepAliveUrl(settings, url);
    settings.savedUrl = kTestedMarker;
}
