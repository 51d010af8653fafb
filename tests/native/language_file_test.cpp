#include "settings/language_file.h"

#include <gtest/gtest.h>

#include "tests/doubles/fake_system.h"

namespace {

using Encoding = LanguageFile::Encoding;

// UTF-16 bytes of ASCII text, in either byte order.
std::string Wide(const std::string& ascii, bool bigEndian = false) {
    std::string bytes;
    for (const char c : ascii) bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return bytes;
}

class LanguageFileTest : public ::testing::Test {
  protected:
    FakeSystem system;  // the Western code page
};

TEST_F(LanguageFileTest, ByteOrderMarkChoosesTheEncoding) {
    EXPECT_EQ(Encoding::kAnsi, LanguageFile("[SETTINGS]\r\nOn=\xE4\r\n").encoding());
    EXPECT_EQ("\xC3\xA4", LanguageFile("[SETTINGS]\r\nOn=\xE4\r\n").Value("On"));

    const LanguageFile utf8("\xEF\xBB\xBF[SETTINGS]\r\nOn=\xCE\xB1\r\n");
    EXPECT_EQ(Encoding::kUtf8, utf8.encoding());
    EXPECT_EQ("\xCE\xB1", utf8.Value("On"));

    const LanguageFile little("\xFF\xFE" + Wide("[SETTINGS]\r\nOn=") + "\xB1\x03");
    EXPECT_EQ(Encoding::kUtf16Le, little.encoding());
    EXPECT_EQ("\xCE\xB1", little.Value("On"));

    const LanguageFile big("\xFE\xFF" + Wide("[SETTINGS]\nOn=", true) +
                           std::string("\xD8\x3D\xDE\x00", 4));
    EXPECT_EQ(Encoding::kUtf16Be, big.encoding());
    EXPECT_EQ("\xF0\x9F\x98\x80", big.Value("On"));  // a surrogate pair
}

TEST_F(LanguageFileTest, BrokenTextBecomesReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ("a" + replacement + "(b",
              LanguageFile("\xEF\xBB\xBF[SETTINGS]\nk=a\xC3(b\n").Value("k"));
    EXPECT_EQ(replacement + replacement,
              LanguageFile("\xEF\xBB\xBF[SETTINGS]\nk=\xC0\xAF").Value("k"));  // overlong
    EXPECT_EQ(replacement + "x",
              LanguageFile("\xFF\xFE" + Wide("[SETTINGS]\nk=") + std::string("\x00\xD8x\x00", 4))
                  .Value("k"));
    // The odd last byte of a UTF-16 file belongs to no character.
    EXPECT_EQ("ab", LanguageFile("\xFF\xFE" + Wide("[SETTINGS]\nk=ab") + "c").Value("k"));
}

TEST_F(LanguageFileTest, LookupFollowsTheProfileRules) {
    const LanguageFile file(
        "On=outside\r\n[Other]\r\nOn=other\r\n[ settings ]\r\n; On=comment\r\n"
        "  on  =  An  \r\nOn=second\r\nQuoted=\"  x  "
        "\"\r\nHalf=\"x\r\nBare\r\n[SETTINGS]\r\nOff=Aus");
    EXPECT_EQ("An", file.Value("ON"));
    EXPECT_EQ("  x  ", file.Value("quoted"));
    EXPECT_EQ("\"x", file.Value("Half"));
    EXPECT_EQ("", file.Value("Bare"));
    EXPECT_EQ("Aus", file.Value("Off"));  // a second section of the name counts too
    EXPECT_EQ(std::nullopt, file.Value("Exit"));
    EXPECT_EQ(std::nullopt, LanguageFile("").Value("On"));
}

TEST_F(LanguageFileTest, EntryGoesAtTheEndOfTheSectionAndEveryOtherByteStays) {
    const std::string file = "[SETTINGS]\r\nOn=An\r\n\r\n[Other]\r\nx=\xE4\r\n";
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nExit=Exit\r\n\r\n[Other]\r\nx=\xE4\r\n",
              LanguageFile(file).WithEntry("Exit", "Exit"));
    EXPECT_EQ("[SETTINGS]\r\nOn=An\r\nExit=Exit\r\n",
              LanguageFile("[SETTINGS]\r\nOn=An").WithEntry("Exit", "Exit"));
    EXPECT_EQ("x=1\n[SETTINGS]\r\nExit=Exit\r\n", LanguageFile("x=1\n").WithEntry("Exit", "Exit"));
    EXPECT_EQ("\xEF\xBB\xBF[SETTINGS]\r\nExit=Exit\r\n",
              LanguageFile("\xEF\xBB\xBF").WithEntry("Exit", "Exit"));
}

TEST_F(LanguageFileTest, EntryInAUtf16FileIsUtf16AndFoundAfterwards) {
    const std::string big = "\xFE\xFF" + Wide("[SETTINGS]\r\nOn=An", true) + "z";
    const std::string added = LanguageFile(big).WithEntry("Exit", "Exit");
    EXPECT_EQ(big.substr(0, big.size() - 1) + Wide("\r\nExit=Exit\r\n", true) + "z", added);
    EXPECT_EQ("Exit", LanguageFile(added).Value("Exit"));
    EXPECT_EQ("An", LanguageFile(added).Value("On"));
}

}  // namespace
