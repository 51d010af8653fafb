#pragma once

#include <string>

// The keep-alive URL as the dialog changes it: g_strURL and the setting g_szURL1, changed
// together under the URL lock, since a probe's worker may be reading them.

// g_szURL1, the setting.
std::string SettingUrl();

// g_strURL = g_szURL1; returns it.
std::string TakeUrlFromSetting();

// g_strURL as it is now.
std::string CurrentKeepAliveUrl();

// Puts url in force in g_strURL and g_szURL1, cut to what the setting holds (299 characters).
void SetKeepAliveUrl(const std::string& url);

// As SetKeepAliveUrl, and g_strURL2 = "---------------", the state in which the dialog tests.
void SetTestedUrl(const std::string& url);
