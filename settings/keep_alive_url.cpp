#include "settings/keep_alive_url.h"

#include <cstring>

#include "settings/settings.h"
#include "settings/url_lock.h"

namespace {

// Both copies hold the same text, so what the page shows is what is saved.
void PutUrl(const std::string& url) {
    g_strURL = url.substr(0, kUrlMaxLength);
    std::memcpy(g_szURL1, g_strURL.c_str(), g_strURL.size() + 1);
}

}  // namespace

std::string SettingUrl() {
    const auto urls = LockUrls();
    return std::string(g_szURL1, strnlen(g_szURL1, sizeof g_szURL1));
}

std::string TakeUrlFromSetting() {
    const auto urls = LockUrls();
    g_strURL = std::string(g_szURL1, strnlen(g_szURL1, sizeof g_szURL1));
    return g_strURL;
}

std::string CurrentKeepAliveUrl() {
    const auto urls = LockUrls();
    return g_strURL;
}

void SetKeepAliveUrl(const std::string& url) {
    const auto urls = LockUrls();
    PutUrl(url);
}

void SetTestedUrl(const std::string& url) {
    const auto urls = LockUrls();
    PutUrl(url);
    g_strURL2 = "---------------";
}
