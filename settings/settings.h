#pragma once

#include <string>

// The five persisted settings and their transfer to and from the registry.

enum class Transfer { Read, Write };

// The longest keep-alive URL: the dialog's edit, the save and the read all hold this many.
inline constexpr int kUrlMaxLength = 299;
inline constexpr const char* kDefaultUrl = "http://www.";

struct Settings {
    // A number nothing depends on, kept as stored.
    int firstStart = 1;
    // The switches are stored as DWORDs 0 and 1.
    bool autoStart = true;
    bool redial = false;
    bool firstTime = true;
    // The keep-alive URL ("URL1"), at most kUrlMaxLength characters.
    std::string url = kDefaultUrl;
    // The URL as the last transfer left it, or a marker once the URL dialog has tested one; a
    // probe warns when it is too short to be a URL as well.
    std::string savedUrl = kDefaultUrl;
};

// Reads or writes all five settings; a transfer also makes the URL the saved one. Touches
// nothing but the settings' own key.
void TransferSettings(Settings& settings, Transfer direction);

// Removes the product's key; the maker's key stays.
void DeleteSettingsKey();

// Adds the program's token to the system's user-agent text. The program does this next to
// every transfer of the settings, in both directions.
void RegisterUserAgentToken();
