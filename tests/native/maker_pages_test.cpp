#include "ui/maker_pages.h"

#include <gtest/gtest.h>

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

TEST(LinkTargets, GermanEditionLinksToTheGermanPages) {
    EXPECT_EQ("http://www.quaddle.example/nimbrel.htm?ref=nb2", HomeLinkTarget(false));
    EXPECT_EQ("http://www.quaddle.example/de/vellmark.htm?ref=nb2", HomeLinkTarget(true));
    EXPECT_EQ("http://www.quaddle.example/service/contact/?ref=nb2", ContactLinkTarget(false));
    EXPECT_EQ("http://www.quaddle.example/de/service/contact/?ref=nb2", ContactLinkTarget(true));
}

TEST(LinkTargets, MailSubjectNamesTheVersion) {
    EXPECT_EQ("mailto: support@quaddle.example?Subject=Support 2.01", MailLinkTarget());
}

}  // namespace
