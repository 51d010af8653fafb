#pragma once

#include <string>

#include "settings/settings.h"

// The keep-alive URL as the URL dialog changes it.

// Makes url the one in use, cut to what the setting holds (299 characters).
void SetKeepAliveUrl(Settings& settings, const std::string& url);

// As SetKeepAliveUrl, and marks the saved URL as tested, the state in which the dialog tests.
void SetTestedUrl(Settings& settings, const std::string& url);
