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

class ShellLink : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        std::ofstream(folder.Path("target.exe")) << "MZ";
    }
    void TearDown() override { CoUninitialize(); }

    CShellLinkInfo LoadedLink() {
        CShellLinkInfo info;
        info.m_sTarget = folder.Path("target.exe");
        CShellLink writer;
        EXPECT_EQ(1, writer.Create(info));
        EXPECT_EQ(1, writer.Save(folder.Path("t.lnk").c_str()));
        CShellLink reader;
        EXPECT_EQ(1, reader.Load(folder.Path("t.lnk").c_str()));
        return reader.Info();
    }

    ScratchFolder folder;
};

TEST_F(ShellLink, ItemIdListWinsOverThePath) {
    CShellLinkInfo info;
    info.m_sTarget = "C:\\nowhere\\other.exe";
    info.SetItemIdList(ILCreateFromPathA(folder.Path("target.exe").c_str()));
    ASSERT_NE(nullptr, info.m_pidl);
    CShellLink link;
    ASSERT_EQ(1, link.Create(info));
    ASSERT_EQ(1, link.Save(folder.Path("t.lnk").c_str()));

    CShellLink reader;
    ASSERT_EQ(1, reader.Load(folder.Path("t.lnk").c_str()));
    EXPECT_EQ(0, lstrcmpiA(folder.Path("target.exe").c_str(), reader.Info().m_sTarget.c_str()));
}

// Each record frees its own list, so a copy must hold a list of its own.
TEST_F(ShellLink, CopiesOwnTheirOwnItemIdList) {
    CShellLinkInfo loaded = LoadedLink();
    ASSERT_NE(nullptr, loaded.m_pidl);
    PIDLIST_ABSOLUTE expected = ILCreateFromPathA(folder.Path("target.exe").c_str());

    CShellLinkInfo* copy = new CShellLinkInfo(loaded);
    CShellLinkInfo assigned;
    assigned = *copy;
    EXPECT_NE(loaded.m_pidl, copy->m_pidl);
    EXPECT_NE(copy->m_pidl, assigned.m_pidl);
    delete copy;
    loaded = CShellLinkInfo();
    EXPECT_EQ(nullptr, loaded.m_pidl);
    EXPECT_TRUE(ILIsEqual(expected, assigned.m_pidl));
    EXPECT_EQ(folder.Path("target.exe"), assigned.m_sTarget);
    ILFree(expected);
}

TEST_F(ShellLink, LoadOfWhatIsNoShortcutFailsAndKeepsTheRecord) {
    std::ofstream(folder.Path("junk.lnk"), std::ios::binary) << std::string(300, '\x7f');
    const char* files[] = {"missing.lnk", "junk.lnk"};
    for (const char* name : files) {
        CShellLink link;
        CShellLinkInfo info;
        info.m_sDescription = "kept";
        ASSERT_EQ(1, link.Create(info));
        EXPECT_EQ(0, link.Load(folder.Path(name).c_str())) << name;
        EXPECT_EQ("kept", link.Info().m_sDescription) << name;
    }
}

TEST_F(ShellLink, FileNameLongerThanAPathSavesNothing) {
    CShellLink link;
    ASSERT_EQ(1, link.Create(CShellLinkInfo()));
    EXPECT_EQ(0, link.Save((folder.Directory() + std::string(300, 'n') + ".lnk").c_str()));
    EXPECT_EQ(0, link.Load((folder.Directory() + std::string(300, 'n') + ".lnk").c_str()));
}

TEST_F(ShellLink, InternetShortcutRoundTrip) {
    CShellLinkInfo info;
    info.m_sTarget = "http://127.0.0.1:8/keep";
    CUrlShellLink writer;
    ASSERT_EQ(1, writer.Create(info));
    ASSERT_EQ(1, writer.Save(folder.Path("keep.url").c_str()));
    EXPECT_NE(std::string::npos,
              FileText(folder.Path("keep.url")).find("URL=http://127.0.0.1:8/keep"));

    CUrlShellLink reader;
    ASSERT_EQ(1, reader.Load(folder.Path("keep.url").c_str()));
    EXPECT_EQ("http://127.0.0.1:8/keep", reader.Info().m_sTarget);
    EXPECT_EQ(0, CUrlShellLink().Load(folder.Path("none.url").c_str()));
}

}  // namespace
