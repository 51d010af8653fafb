#pragma once

#include <string>

#include "version.h"

// The product's and its maker's names, the same in every part of the program.

inline constexpr const char* kProductName = "Nimbrel";
inline constexpr const char* kGermanEditionName = "Vellmark";
inline constexpr const char* kMakerSite = "www.quaddle.example";
inline constexpr const char* kMakerSiteGerman = "www.quaddle.example/de";
inline constexpr const char* kMakerMail = "support@quaddle.example";

inline const std::string g_strMaker = "Quaddle";
inline const std::string g_strVersion = NIMBREL_VERSION;
inline const std::string g_strAgentTag = std::string(kProductName) + " - " + kMakerSite;
