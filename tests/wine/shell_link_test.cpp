#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/shell_link.h"
#include "settings/url_shell_link.h"
#include "tests/wine/scratch_folder.h"

namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShellLinkFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        std::ofstream(folder.Path("target.exe")) << "MZ";
    }
    void TearDown() override { CoUninitialize(); }

    ShellLinkInfo LoadedLink() {
        ShellLinkInfo info;
        info.m_target = folder.Path("target.exe");
        ShellLink writer;
        EXPECT_TRUE(writer.Create(info));
        EXPECT_TRUE(writer.Save(folder.Path("t.lnk").c_str()));
        ShellLink reader;
        EXPECT_TRUE(reader.Load(folder.Path("t.lnk").c_str()));
        return reader.Info();
    }

    ScratchFolder folder;
};

TEST_F(ShellLinkFile, ItemIdListWinsOverThePath) {
    ShellLinkInfo info;
    info.m_target = "C:\\nowhere\\other.exe";
    info.SetItemIdList(ILCreateFromPathA(folder.Path("target.exe").c_str()));
    ASSERT_NE(nullptr, info.m_pidl);
    ShellLink link;
    ASSERT_TRUE(link.Create(info));
    ASSERT_TRUE(link.Save(folder.Path("t.lnk").c_str()));

    ShellLink reader;
    ASSERT_TRUE(reader.Load(folder.Path("t.lnk").c_str()));
    EXPECT_EQ(0, lstrcmpiA(folder.Path("target.exe").c_str(), reader.Info().m_target.c_str()));
}

// Each record frees its own list, so a copy must hold a list of its own.
TEST_F(ShellLinkFile, CopiesOwnTheirOwnItemIdList) {
    ShellLinkInfo loaded = LoadedLink();
    ASSERT_NE(nullptr, loaded.m_pidl);
    PIDLIST_ABSOLUTE expected = ILCreateFromPathA(folder.Path("target.exe").c_str());

    ShellLinkInfo* copy = new ShellLinkInfo(loaded);
    ShellLinkInfo assigned;
    assigned = *copy;
    EXPECT_NE(loaded.m_pidl, copy->m_pidl);
    EXPECT_NE(copy->m_pidl, assigned.m_pidl);
    delete copy;
    loaded = ShellLinkInfo();
    EXPECT_EQ(nullptr, loaded.m_pidl);
    EXPECT_TRUE(ILIsEqual(expected, assigned.m_pidl));
    EXPECT_EQ(folder.Path("target.exe"), assigned.m_target);
    ILFree(expected);
}

TEST_F(ShellLinkFile, LoadOfWhatIsNoShortcutFailsAndKeepsTheRecord) {
    std::ofstream(folder.Path("junk.lnk"), std::ios::binary) << std::string(300, '\x7f');
    const char* files[] = {"missing.lnk", "junk.lnk"};
    for (const char* name : files) {
        ShellLink link;
        ShellLinkInfo info;
        info.m_description = "kept";
        ASSERT_TRUE(link.Create(info));
        EXPECT_FALSE(link.Load(folder.Path(name).c_str())) << name;
        EXPECT_EQ("kept", link.Info().m_description) << name;
    }
}

TEST_F(ShellLinkFile, FileNameLongerThanAPathSavesNothing) {
    ShellLink link;
    ASSERT_TRUE(link.Create(ShellLinkInfo()));
    EXPECT_FALSE(link.Save((folder.Directory() + std::string(300, 'n') + ".lnk").c_str()));
    EXPECT_FALSE(link.Load((folder.Directory() + std::string(300, 'n') + ".lnk").c_str()));
}

TEST_F(ShellLinkFile, InternetShortcutRoundTrip) {
    ShellLinkInfo info;
    info.m_target = "http://127.0.0.1:8/keep";
    UrlShellLink writer;
    ASSERT_TRUE(writer.Create(info));
    ASSERT_TRUE(writer.Save(folder.Path("keep.url").c_str()));
    EXPECT_NE(std::string::npos,
              FileText(folder.Path("keep.url")).find("URL=http://127.0.0.1:8/keep"));

    UrlShellLink reader;
    ASSERT_TRUE(reader.Load(folder.Path("keep.url").c_str()));
    EXPECT_EQ("http://127.0.0.1:8/keep", reader.Info().m_target);
    EXPECT_FALSE(UrlShellLink().Load(folder.Path("none.url").c_str()));
}

}  // namespace
