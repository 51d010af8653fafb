#include "settings/settings.h"

#include <string>

#include "platform/reg_key.h"
#include "res/product.h"
#include "settings/bounded_copy.h"
#include "settings/folders.h"
#include "settings/store.h"
#include "settings/url_lock.h"

int g_iFirstStart = 1;
int g_bAutoStart = 1;
int g_bRedial = 0;
int g_bFirstTime = 1;
char g_szURL1[kUrlBufferSize] = "http://www.";
char g_szHelpPath[kUrlBufferSize + 10];
std::string g_strURL = kDefaultUrl;
std::string g_strURL2 = g_strURL;
std::string g_strCurrentDir;
std::string g_strStartupDir;

namespace {

constexpr const char* kUserAgentKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
constexpr const char* kUserAgentValue = "Quaddle-K-A";

// The program writes a switch only as 0 or 1. Any other number was not chosen here, so it
// counts as damaged like a value of the wrong type, and every reader sees the same default
// (for Redial: off, so no dialling the user did not clearly allow).
void StoreSwitch(platform::Key key, const char* valueName, int& value, int defaultValue,
                 int direction) {
    StoreDword(key, false, nullptr, valueName, value, defaultValue, direction);
    if (direction == STORE_READ && value != 0 && value != 1) value = defaultValue;
}

}  // namespace

int TransferSettings(int direction) {
    platform::RegKey key;
    key.Create(platform::kCurrentUser, kSettingsKeyPath,
               direction == STORE_WRITE ? platform::kKeySetValue : platform::kKeyRead);
    CopyBounded(g_szHelpPath, sizeof g_szHelpPath,
                (std::string(g_szProgramDir) + "help.htm").c_str());
    StoreDword(key.get(), false, nullptr, "FirstStart", g_iFirstStart, 1, direction);
    StoreSwitch(key.get(), "AutoStart", g_bAutoStart, 1, direction);
    StoreSwitch(key.get(), "Redial", g_bRedial, 0, direction);
    StoreSwitch(key.get(), "FirstTime", g_bFirstTime, 1, direction);
    {
        const auto urls = LockUrls();
        g_strURL2 = g_strURL;
        StoreString(key.get(), false, nullptr, "URL1", g_szURL1, kDefaultUrl, direction);
    }
    key.Close();
    RegisterUserAgentToken();
    g_strCurrentDir = g_szStartDir;
    g_strStartupDir = g_szStartupFolder;
    return 1;
}

void DeleteSettingsKey() {
    platform::RegKey maker;
    if (maker.Create(platform::kCurrentUser, kMakerKey, platform::kKeyWrite) ==
        platform::kErrorSuccess)
        platform::Registry().DeleteKey(maker.get(), kProductKey);
}

void RegisterUserAgentToken() {
    platform::RegKey key;
    if (key.Create(platform::kLocalMachine, kUserAgentKey, platform::kKeySetValue) !=
        platform::kErrorSuccess)
        return;
    char empty[kUrlBufferSize] = "";
    StoreString(key.get(), false, nullptr, kUserAgentValue, empty, "", STORE_WRITE);
}
