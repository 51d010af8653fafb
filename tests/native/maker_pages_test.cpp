#include "about/maker_pages.h"

#include <gtest/gtest.h>

#include <string>

#include "version.h"

namespace {

TEST(UpdatePageUrl, DotsBecomeP) {
    EXPECT_EQ("http://www.quaddle.example/updates/nimbrel2p01.htm?ref=nb2", UpdatePageUrl("2.01"));
    EXPECT_EQ("http://www.quaddle.example/updates/nimbrel1p0.htm?ref=nb2", UpdatePageUrl("1.0"));
    EXPECT_EQ("http://www.quaddle.example/updates/nimbrel1p2p3.htm?ref=nb2",
              UpdatePageUrl("1.2.3"));
}

TEST(UpdatePageUrl, VersionWithoutDotIsUsedUnchanged) {
    EXPECT_EQ("http://www.quaddle.example/updates/nimbrel3.htm?ref=nb2", UpdatePageUrl("3"));
}

// Both editions link to the maker's own site and mark where the visit came from; the German
// one to the German pages of the same site.
TEST(LinkTargets, GermanEditionLinksToTheGermanPagesOfTheSameSite) {
    const std::string site = "http://www.quaddle.example/";
    for (const bool german : {false, true}) {
        for (const std::string& target : {HomeLinkTarget(german), ContactLinkTarget(german)}) {
            EXPECT_EQ(0u, target.rfind(site, 0)) << target;
            EXPECT_EQ(german, target.compare(site.size(), 3, "de/") == 0) << target;
            EXPECT_EQ(target.size() - 8, target.rfind("?ref=nb2")) << target;
        }
    }
    EXPECT_NE(HomeLinkTarget(false), ContactLinkTarget(false));
}

TEST(LinkTargets, MailSubjectNamesTheVersion) {
    const std::string mail = MailLinkTarget();
    EXPECT_EQ(0u, mail.rfind("mailto: support@quaddle.example?Subject=", 0)) << mail;
    const std::string version = NIMBREL_VERSION;
    EXPECT_EQ(mail.size() - version.size(), mail.rfind(version)) << mail;
}

}  // namespace
