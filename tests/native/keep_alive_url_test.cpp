#include "settings/keep_alive_url.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace {

Settings LoadedSettings() {
    Settings settings;
    settings.url = "http://setting.example/";
    settings.savedUrl = "http://second.example/";
    return settings;
}

TEST(KeepAliveUrl, NewUrlIsCutTo299AndLeavesTheSavedOne) {
    Settings settings = LoadedSettings();
    SetKeepAliveUrl(settings, "http://new.example/");
    EXPECT_EQ("http://new.example/", settings.url);
    EXPECT_EQ("http://second.example/", settings.savedUrl);

    const std::string longUrl = "http://" + std::string(1000, 'a');
    SetKeepAliveUrl(settings, longUrl);
    EXPECT_EQ(longUrl.substr(0, 299), settings.url);

    SetKeepAliveUrl(settings, "");
    EXPECT_EQ("", settings.url);
}

TEST(KeepAliveUrl, TestedUrlAlsoMarksTheSavedOne) {
    Settings settings = LoadedSettings();
    SetTestedUrl(settings, "http://tested.example/");
    EXPECT_EQ("http://tested.example/", settings.url);
    EXPECT_EQ("---------------", settings.savedUrl);
}

}  // namespace
