#include "app/shared_texts.h"

#include "settings/settings.h"
#include "version.h"

const std::string g_strMaker = "Quaddle";
const std::string g_strVersion = NIMBREL_VERSION;
const std::string g_strAgentTag = std::string(kProductName) + " - " + kMakerSite;
std::string g_strURL = kDefaultUrl;
std::string g_strURL2 = g_strURL;
std::string g_strCurrentDir;
std::string g_strStartupDir;
