#pragma once

#include <string>

// The five persisted settings and their transfer to and from the registry.

inline constexpr int STORE_READ = 0;
inline constexpr int STORE_WRITE = 1;

// The longest keep-alive URL: the dialog's edit, the save and the read all hold this many.
inline constexpr int kUrlMaxLength = 299;
inline constexpr int kUrlBufferSize = kUrlMaxLength + 1;
inline constexpr const char* kDefaultUrl = "http://www.";

extern int g_iFirstStart;
extern int g_bAutoStart;
extern int g_bRedial;
extern int g_bFirstTime;
extern char g_szURL1[kUrlBufferSize];
extern char g_szHelpPath[kUrlBufferSize + 10];
extern std::string g_strURL;
extern std::string g_strURL2;
extern std::string g_strCurrentDir;
extern std::string g_strStartupDir;

// Reads or writes all five settings, then refreshes the shared texts. Always 1.
int TransferSettings(int direction);

// Removes the product's key; the maker's key stays.
void DeleteSettingsKey();

// Adds the program's token to the system's user-agent text.
void RegisterUserAgentToken();
