#pragma once

#include <string>

// Texts shared across the program, built before the application object runs.

inline constexpr const char* kProductName = "Nimbrel";
inline constexpr const char* kGermanEditionName = "Vellmark";
inline constexpr const char* kMakerSite = "www.quaddle.example";
inline constexpr const char* kMakerSiteGerman = "www.quaddle.example/de";
inline constexpr const char* kMakerMail = "support@quaddle.example";

extern const std::string g_strMaker;
extern const std::string g_strVersion;
extern const std::string g_strAgentTag;
extern std::string g_strURL;
extern std::string g_strURL2;
extern std::string g_strCurrentDir;
extern std::string g_strStartupDir;
