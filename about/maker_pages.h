#pragma once

#include <string>

// The maker's web addresses that the about page opens and links to.

// The update page for exactly this version: dots become "p", so 2.01 asks for nimbrel2p01.htm.
std::string UpdatePageUrl(const std::string& version);

// The product page, or the German edition's page.
std::string HomeLinkTarget(bool germanEdition);
std::string ContactLinkTarget(bool germanEdition);

// A mail to the support address whose subject names the running version.
std::string MailLinkTarget();
