#include "app/probe_target.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/doubles/fake_system.h"
#include "tests/native/temp_folder.h"

namespace {

// With Redial ticked autodial is left to dial.
TEST(ProbeTarget, AutodialIsSwitchedOffExactlyWhenRedialIsUnticked) {
    Settings settings;
    settings.url = "http://keep.example/";
    settings.savedUrl = "---------------";
    for (const bool redial : {false, true}) {
        settings.redial = redial;
        const ProbeTarget target = ProbeTargetFor(settings);
        EXPECT_EQ(!redial, target.suppressAutodial) << redial;
        EXPECT_EQ("http://keep.example/", target.url);
        EXPECT_EQ("---------------", target.savedUrl);
    }
}

// Only a URL the probe cannot request at all is warned about; a short one has its own warnings.
TEST(ProbeTarget, UrlsTheProbeCannotRequestAreWarnedAbout) {
    for (const char* url : {"ftp://files.example/", "htp://typo.example/", "www.example.com",
                            "http://:80/", "http://host:99999/", "mailto:a@b.example"})
        EXPECT_TRUE(NeedsNotWebAddressWarning(url)) << url;
    for (const char* url :
         {"http://www.", "HTTPS://Secure.example", "http://[::1]:81/x", "http", "ftp:", ""})
        EXPECT_FALSE(NeedsNotWebAddressWarning(url)) << url;
}

// The warning is the language file's when it has one, else English, also once the key's
// placeholder has been added to the file.
TEST(ProbeTarget, NotWebAddressWarningFollowsTheLanguageFile) {
    FakeSystem system;
    TempFolder folder;
    system.process.programPath = folder.WindowsPath("nimbrel.exe");
    const auto runWith = [&](const std::string& content) {
        std::ofstream(folder.HostPath("german.lng"), std::ios::binary | std::ios::trunc) << content;
        LanguageTexts texts{folder.WindowsPath("german.lng")};
        texts.ApplyOffSwitch();
        const std::string warning = NotWebAddressWarning(texts);
        texts.AddMissing({kNotWebAddressWarningKey});
        return warning;
    };
    const std::string english =
        "The keep-alive URL cannot be opened: it must start with http:// or https:// and name a "
        "server. Until you change it under >Settings<, Nimbrel stays offline.";
    EXPECT_EQ("Keine Web-Adresse", runWith("[SETTINGS]\r\nurlnotweb=Keine Web-Adresse\r\n"));
    EXPECT_EQ(english, runWith("[SETTINGS]\r\nOn=An\r\n"));
    std::ifstream file(folder.HostPath("german.lng"), std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)),
                              std::istreambuf_iterator<char>());
    ASSERT_NE(std::string::npos, written.find("urlnotweb=urlnotweb"));
    EXPECT_EQ(english, runWith(written));  // the next run reads the placeholder
}

}  // namespace
