#pragma once

#include <string>

// The about page's description of the operating system, such as
// "Windows NT Workstation 4.0 (Build:1381) Service Pack 6"; "Not able to get OS information"
// without a version record; empty when an NT system's product type cannot be read.
std::string GetOsDescription();
