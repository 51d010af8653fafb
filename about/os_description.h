#pragma once

#include <string>

// The about page's description of the operating system, such as
// "Windows NT Workstation 4.0 (Build:1381) Service Pack 6" up to XP and
// "Windows 7 (Build:7601) Service Pack 1" from Vista on; "Not able to get OS information"
// without a version record; empty when an NT system before Vista has no readable product type.
std::string GetOsDescription();
