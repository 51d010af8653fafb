#include "settings/url_lock.h"

std::unique_lock<std::mutex> LockUrls() {
    static std::mutex urls;
    return std::unique_lock<std::mutex>(urls);
}
