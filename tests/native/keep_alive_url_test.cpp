#include "settings/keep_alive_url.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "settings/settings.h"
#include "settings/url_lock.h"

namespace {

class KeepAliveUrl : public ::testing::Test {
  protected:
    void SetUp() override {
        std::strcpy(g_szURL1, "http://setting.example/");
        g_strURL = "http://shared.example/";
        g_strURL2 = "http://second.example/";
    }
    void TearDown() override {
        std::strcpy(g_szURL1, kDefaultUrl);
        g_strURL = g_strURL2 = kDefaultUrl;
    }
};

TEST_F(KeepAliveUrl, TakingTheSettingCopiesItIntoTheSharedText) {
    EXPECT_EQ("http://setting.example/", SettingUrl());
    EXPECT_EQ("http://shared.example/", CurrentKeepAliveUrl());
    EXPECT_EQ("http://setting.example/", TakeUrlFromSetting());
    EXPECT_EQ("http://setting.example/", g_strURL);
    EXPECT_EQ("http://second.example/", g_strURL2);
}

TEST_F(KeepAliveUrl, SettingWithoutTerminatorIsReadWithinItsBuffer) {
    std::memset(g_szURL1, 'u', sizeof g_szURL1);
    EXPECT_EQ(std::string(sizeof g_szURL1, 'u'), SettingUrl());
    EXPECT_EQ(std::string(sizeof g_szURL1, 'u'), TakeUrlFromSetting());
}

TEST_F(KeepAliveUrl, NewUrlGoesIntoBothCopiesCutTo299) {
    SetKeepAliveUrl("http://new.example/");
    EXPECT_STREQ("http://new.example/", g_szURL1);
    EXPECT_EQ("http://new.example/", g_strURL);
    EXPECT_EQ("http://second.example/", g_strURL2);

    const std::string longUrl = "http://" + std::string(1000, 'a');
    SetKeepAliveUrl(longUrl);
    EXPECT_EQ(longUrl.substr(0, 299), g_szURL1);
    EXPECT_EQ(longUrl.substr(0, 299), g_strURL);

    SetKeepAliveUrl("");
    EXPECT_STREQ("", g_szURL1);
    EXPECT_EQ("", g_strURL);
}

TEST_F(KeepAliveUrl, TestedUrlAlsoMarksTheSecondText) {
    SetTestedUrl("http://tested.example/");
    EXPECT_STREQ("http://tested.example/", g_szURL1);
    EXPECT_EQ("http://tested.example/", g_strURL);
    EXPECT_EQ("---------------", g_strURL2);
}

// A probe's worker copies the texts under the lock while the dialog changes them; under
// ThreadSanitizer an unlocked change shows as a race, and the copy is never half-changed.
TEST_F(KeepAliveUrl, ChangesHoldTheLockTheWorkerCopiesUnder) {
    const std::string first = "http://first.example/";
    const std::string second = "http://second-and-longer.example/";
    bool torn = false;
    SetKeepAliveUrl(first);
    std::thread worker([&] {
        for (int i = 0; i < 2000; ++i) {
            const auto urls = LockUrls();
            const std::string url = g_szURL1;
            torn |= url != g_strURL || (url != first && url != second);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        if (i % 2)
            SetTestedUrl(first);
        else
            SetKeepAliveUrl(second);
    }
    worker.join();
    EXPECT_FALSE(torn);
}

}  // namespace
