#include "base/wide_text.h"

#include <gtest/gtest.h>

#include <string>

// The seam's Win32 side and the window layer both cross to the wide calls through these two.
// What the system or a file hands over broken must still come through as the readable rest
// with U+FFFD in place of the broken part, never end the text nor fail the call.

TEST(WideText, CarriesEveryScriptAndPlaneBothWays) {
    const std::string utf8 = "Łódź Ωμέγα 東京 \xF0\x9F\x98\x80";  // U+1F600 needs a surrogate pair
    const WideString wide = ToWide(utf8);
    EXPECT_EQ(WideView(L"Łódź Ωμέγα 東京 \xD83D\xDE00"), wide);
    EXPECT_EQ(utf8, FromWide(wide));
    EXPECT_EQ(WideString(), ToWide(""));
    EXPECT_EQ(std::string(), FromWide(WideView()));
}

TEST(WideText, ABrokenSequenceBecomesTheReplacementCharacter) {
    // A lead byte without its follower, then a stray follower: the text around them stays.
    EXPECT_EQ(WideView(L"a\uFFFD(b\uFFFD"), ToWide("a\xC3(b\x80"));
    // Half a surrogate pair from the other side.
    const wchar_t halfPair[] = {L'a', L'\xD800', L'b'};
    EXPECT_EQ("a\uFFFDb", FromWide(WideView(halfPair, 3)));
    // A length given with the text counts, terminator or not.
    EXPECT_EQ(std::string("x\0y", 3), FromWide(WideView(L"x\0y", 3)));
}
