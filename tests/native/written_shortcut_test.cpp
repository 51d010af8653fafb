#include "settings/written_shortcut.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/doubles/fake_system.h"

namespace {

constexpr const char* kSettingsPath = "HKCU\\SOFTWARE\\QUADDLE\\nimbrel2";

TEST(WrittenShortcut, OnlyPlainShortcutFileNamesCount) {
    for (const char* name : {"Nimbrel.lnk", "Nimbrel beim Start.LNK", "..lnk", "a.b.lnk"})
        EXPECT_TRUE(IsStartupLinkName(name)) << name;
    for (const std::string& name : std::vector<std::string>{
             "", ".lnk", "Nimbrel", "Nimbrel.lnk.exe", "..\\Nimbrel.lnk", "sub/Nimbrel.lnk",
             "C:Nimbrel.lnk", "Nimbrel.lnk:stream.lnk", "*.lnk", "Nim?rel.lnk", "a\r\nb.lnk",
             "\"q\".lnk", "<a>.lnk", "a|b.lnk", std::string(252, 'n') + ".lnk"})
        EXPECT_FALSE(IsStartupLinkName(name)) << name;
    EXPECT_TRUE(IsStartupLinkName(std::string(251, 'n') + ".lnk"));
}

TEST(WrittenShortcut, RememberedNameComesBackAndIsForgotten) {
    FakeSystem system;
    EXPECT_EQ("", ReadWrittenShortcut());
    EXPECT_FALSE(system.registry.HasKey(kSettingsPath));  // reading creates nothing

    RememberWrittenShortcut("y.lnk");
    EXPECT_EQ(FakeRegistry::kText, system.registry.Find(kSettingsPath, "AutostartShortcut")->type);
    EXPECT_EQ("y.lnk", ReadWrittenShortcut());
    ForgetWrittenShortcut();
    EXPECT_EQ(nullptr, system.registry.Find(kSettingsPath, "AutostartShortcut"));
    EXPECT_EQ("", ReadWrittenShortcut());
    ForgetWrittenShortcut();  // nothing left to forget
    EXPECT_EQ(0u, system.registry.OpenHandles());
}

// The stored text is only ever used as a file name in the Startup folder; anything that could
// reach another file is ignored.
TEST(WrittenShortcut, StoredTextThatIsNoPlainShortcutNameIsIgnored) {
    FakeSystem system;
    for (const char* text : {"..\\..\\Desktop\\Nimbrel.lnk", "C:\\boot.ini", "Nimbrel.exe", ""}) {
        system.registry.PutString(kSettingsPath, "AutostartShortcut", text);
        EXPECT_EQ("", ReadWrittenShortcut()) << text;
    }
    system.registry.PutRaw(kSettingsPath, "AutostartShortcut", FakeRegistry::kBinary,
                           {'a', '.', 'l', 'n', 'k', 0});
    EXPECT_EQ("", ReadWrittenShortcut());
    system.registry.PutString(kSettingsPath, "AutostartShortcut", std::string(5000, 'a') + ".lnk");
    EXPECT_EQ("", ReadWrittenShortcut());
}

}  // namespace
