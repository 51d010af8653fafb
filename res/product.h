#pragma once

#include <string>

#include "version.h"

// The product's and its maker's names, the same in every part of the program.

inline constexpr const char* kProductName = "Nimbrel";
inline constexpr const char* kGermanEditionName = "Vellmark";
inline constexpr const char* kMakerSite = "www.quaddle.example";
inline constexpr const char* kMakerSiteGerman = "www.quaddle.example/de";
inline constexpr const char* kMakerMail = "support@quaddle.example";

// The program's key under HKEY_CURRENT_USER: its settings and its own records.
inline constexpr const char* kMakerKey = "SOFTWARE\\QUADDLE";
inline constexpr const char* kProductKey = "nimbrel2";
inline constexpr const char* kSettingsKeyPath = "SOFTWARE\\QUADDLE\\nimbrel2";

inline const std::string kMakerName = "Quaddle";
inline const std::string kVersion = NIMBREL_VERSION;
inline const std::string kAgentTag = std::string(kProductName) + " - " + kMakerSite;
