#include "settings/store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/reg_key.h"
#include "settings/settings.h"
#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

constexpr const char* kPath = "HKCU\\SOFTWARE\\Test";

class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override { key.Create(platform::kCurrentUser, "SOFTWARE\\Test", 0); }

    std::string ReadString(const char* name, const char* defaultText = "dflt") {
        char buffer[kUrlBufferSize];
        std::memset(buffer, 'Z', sizeof buffer);  // no terminator unless the store writes one
        EXPECT_EQ(kStoreOk,
                  StoreString(key.get(), false, nullptr, name, buffer, defaultText, STORE_READ));
        return std::string(buffer, strnlen(buffer, sizeof buffer));
    }

    int ReadDword(const char* name, int current = 77) {
        StoreDword(key.get(), false, nullptr, name, current, -1, STORE_READ);
        return current;
    }

    FakeSystem system;
    platform::RegKey key;
};

TEST_F(RegistryStore, WritesTextWithTerminatorAndDwordAsFourBytes) {
    char text[kUrlBufferSize] = "http://example.com/";
    EXPECT_EQ(kStoreOk, StoreString(key.get(), false, nullptr, "URL1", text, "", STORE_WRITE));
    int number = 42;
    StoreDword(key.get(), false, nullptr, "Redial", number, 0, STORE_WRITE);

    const FakeRegistry::Value* url = system.registry.Find(kPath, "URL1");
    ASSERT_NE(nullptr, url);
    EXPECT_EQ(platform::kRegSz, url->type);
    EXPECT_EQ(20u, url->bytes.size());
    EXPECT_EQ(0, url->bytes.back());
    EXPECT_EQ(platform::kRegDword, system.registry.Find(kPath, "Redial")->type);
    EXPECT_EQ(42u, system.registry.Dword(kPath, "Redial"));
    EXPECT_STREQ("http://example.com/", text);
}

TEST_F(RegistryStore, ReadsTextUpToTheLongestUrl) {
    system.registry.PutString(kPath, "Fits", std::string(kUrlMaxLength, 'a'));
    system.registry.PutString(kPath, "TooLong", std::string(kUrlMaxLength + 1, 'b'));
    system.registry.PutString(kPath, "Huge", std::string(10000, 'c'));
    EXPECT_EQ(std::string(kUrlMaxLength, 'a'), ReadString("Fits"));
    EXPECT_EQ("dflt", ReadString("TooLong"));
    EXPECT_EQ("dflt", ReadString("Huge"));
    EXPECT_EQ("dflt", ReadString("Missing"));
}

TEST_F(RegistryStore, TextWithoutTerminatorIsTerminatedOrRefused) {
    system.registry.PutRaw(kPath, "Short", platform::kRegSz, {'a', 'b', 'c'});
    system.registry.PutRaw(kPath, "Full", platform::kRegSz,
                           std::vector<std::uint8_t>(kUrlBufferSize, 'x'));
    system.registry.PutRaw(kPath, "Longest", platform::kRegSz,
                           std::vector<std::uint8_t>(kUrlMaxLength, 'y'));
    system.registry.PutRaw(kPath, "Empty", platform::kRegSz, {});
    EXPECT_EQ("abc", ReadString("Short"));
    EXPECT_EQ("dflt", ReadString("Full"));
    EXPECT_EQ(std::string(kUrlMaxLength, 'y'), ReadString("Longest"));
    EXPECT_EQ("", ReadString("Empty"));
}

TEST_F(RegistryStore, TextOfAnotherTypeGivesTheDefault) {
    system.registry.PutDword(kPath, "Number", 0x41414141);
    system.registry.PutRaw(kPath, "Binary", platform::kRegBinary, {'h', 'i', 0});
    EXPECT_EQ("dflt", ReadString("Number"));
    EXPECT_EQ("dflt", ReadString("Binary"));
}

TEST_F(RegistryStore, TextWithoutKeyGivesTheDefault) {
    char buffer[kUrlBufferSize] = "old";
    EXPECT_EQ(kStoreOk, StoreString(0, false, nullptr, "URL1", buffer, "http://www.", STORE_READ));
    EXPECT_STREQ("http://www.", buffer);
    EXPECT_EQ(kStoreOk, StoreString(0, false, nullptr, "URL1", buffer, "", STORE_WRITE));
}

TEST_F(RegistryStore, DwordOfAnotherTypeOrSizeGivesTheDefault) {
    constexpr std::uint32_t kRegMultiSz = 7;
    constexpr std::uint32_t kRegDwordBigEndian = 5;
    system.registry.PutDword(kPath, "Plain", 5);
    system.registry.PutDword(kPath, "Lowest", 0x80000000u);
    system.registry.PutString(kPath, "Text", "1");
    system.registry.PutString(kPath, "EmptyText", "");
    system.registry.PutRaw(kPath, "Multi", kRegMultiSz, {'1', 0, 0});
    system.registry.PutRaw(kPath, "Binary", platform::kRegBinary, {1, 0, 0, 0});
    system.registry.PutRaw(kPath, "BigEndian", kRegDwordBigEndian, {0, 0, 0, 1});
    system.registry.PutRaw(kPath, "Short", platform::kRegDword, {1, 0});
    system.registry.PutRaw(kPath, "NoBytes", platform::kRegDword, {});
    system.registry.PutRaw(kPath, "Wide", platform::kRegDword, {1, 0, 0, 0, 0});
    EXPECT_EQ(5, ReadDword("Plain"));
    EXPECT_EQ(INT32_MIN, ReadDword("Lowest"));
    for (const char* name : {"Text", "EmptyText", "Multi", "Binary", "BigEndian", "Short",
                             "NoBytes", "Wide", "Missing"})
        EXPECT_EQ(-1, ReadDword(name)) << name;
    int value = 9;
    StoreDword(0, false, nullptr, "Plain", value, 3, STORE_READ);
    EXPECT_EQ(3, value);
}

class ProfileStore : public ::testing::Test {
  protected:
    void Write(const std::string& content) {
        std::ofstream(HostPath(path), std::ios::binary) << content;
    }
    int Read(const char* name, std::string* text, const char* defaultText = "y") {
        char buffer[kUrlBufferSize];
        const int status =
            StoreString(0, true, path.c_str(), name, buffer, defaultText, STORE_READ);
        *text = buffer;
        return status;
    }

    FakeSystem system;
    TempFolder folder;
    std::string path = folder.WindowsPath("store.lng");
};

TEST_F(ProfileStore, StatusTellsMissingOneCharacterAndEmptyApart) {
    Write("[SETTINGS]\r\nab=two\r\none=x\r\nnone=\r\n");
    std::string text;
    EXPECT_EQ(kStoreOk, Read("ab", &text));
    EXPECT_EQ("two", text);
    EXPECT_EQ(kStoreOneCharacter, Read("one", &text));
    EXPECT_EQ("x", text);
    EXPECT_EQ(kStoreOneCharacter, Read("absent", &text));
    EXPECT_EQ("y", text);
    EXPECT_EQ(kStoreEmpty, Read("none", &text));
    EXPECT_EQ("", text);
    EXPECT_EQ(kStoreEmpty, Read("absent", &text, ""));
}

TEST_F(ProfileStore, LineBreakMarkersBecomeCrLf) {
    Write("[SETTINGS]\r\nk=a<:BREAK:>b\r\ntail=xAK:>y\r\nhead=x<:BREy\r\n");
    std::string text;
    EXPECT_EQ(kStoreOk, Read("k", &text));
    EXPECT_EQ("a\r\nb", text);
    Read("tail", &text);
    EXPECT_EQ("x\ny", text);
    Read("head", &text);
    EXPECT_EQ("x\ry", text);
}

TEST_F(ProfileStore, LongValuesAreCutTo298) {
    Write("[SETTINGS]\r\nlong=" + std::string(1000, 'q') + "\r\n");
    std::string text;
    EXPECT_EQ(kStoreOk, Read("long", &text));
    EXPECT_EQ(std::string(298, 'q'), text);
}

TEST_F(ProfileStore, WriteReportsFailureAndLeavesTheBufferAlone) {
    char value[kUrlBufferSize] = "key<:BREAK:>";
    EXPECT_EQ(kStoreOk, StoreString(0, true, path.c_str(), "k", value, "", STORE_WRITE));
    EXPECT_STREQ("key<:BREAK:>", value);
    std::string text;
    Read("k", &text);
    EXPECT_EQ("key\r\n", text);

    const std::string missingFolder = folder.WindowsPath("no\\such\\file.lng");
    EXPECT_EQ(kStoreWriteFailed,
              StoreString(0, true, missingFolder.c_str(), "k", value, "", STORE_WRITE));
}

TEST_F(ProfileStore, DwordReadsTheLeadingNumber) {
    Write("[SETTINGS]\r\nn=123abc\r\nword=abc\r\nbig=99999999999999\r\n");
    int value = 0;
    StoreDword(0, true, path.c_str(), "n", value, 7, STORE_READ);
    EXPECT_EQ(123, value);
    StoreDword(0, true, path.c_str(), "word", value, 7, STORE_READ);
    EXPECT_EQ(0, value);
    StoreDword(0, true, path.c_str(), "missing", value, 7, STORE_READ);
    EXPECT_EQ(7, value);
    StoreDword(0, true, path.c_str(), "big", value, 7, STORE_READ);
    EXPECT_EQ(INT32_MAX, value);
    value = -12;
    StoreDword(0, true, path.c_str(), "n", value, 7, STORE_WRITE);
    StoreDword(0, true, path.c_str(), "n", value = 0, 7, STORE_READ);
    EXPECT_EQ(-12, value);
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutOverlap) {
    std::string text = "aaaa";
    ReplaceAll(text, "aa", "b");
    EXPECT_EQ("bb", text);
    text = "xAK:>AK:>y";
    ReplaceAll(text, "AK:>", "\n");
    EXPECT_EQ("x\n\ny", text);
    text = "abc";
    ReplaceAll(text, "a", "aa");
    EXPECT_EQ("aabc", text);
    ReplaceAll(text, "", "z");
    EXPECT_EQ("aabc", text);
}

}  // namespace
