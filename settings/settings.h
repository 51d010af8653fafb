#pragma once

#include <string>

// The five persisted settings and their transfer to and from the registry.

inline constexpr int STORE_READ = 0;
inline constexpr int STORE_WRITE = 1;

// The longest keep-alive URL: the dialog's edit, the save and the read all hold this many.
inline constexpr int kUrlMaxLength = 299;
inline constexpr int kUrlBufferSize = kUrlMaxLength + 1;
inline constexpr const char* kDefaultUrl = "http://www.";

struct Settings {
    int firstStart = 1;
    int autoStart = 1;
    int redial = 0;
    int firstTime = 1;
    // The keep-alive URL ("URL1"), at most kUrlMaxLength characters.
    std::string url = kDefaultUrl;
    // The URL as the last transfer left it, or a marker once the URL dialog has tested one; a
    // probe warns when it is too short to be a URL as well.
    std::string savedUrl = kDefaultUrl;
};

// Reads or writes all five settings; a transfer also makes the URL the saved one. Always 1.
int TransferSettings(Settings& settings, int direction);

// Removes the product's key; the maker's key stays.
void DeleteSettingsKey();

// Adds the program's token to the system's user-agent text.
void RegisterUserAgentToken();
