#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "settings/shell_link.h"
#include "tests/wine/saved_shortcut.h"
#include "tests/wine/scratch_folder.h"

namespace {

class ShellLinkFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        std::ofstream(folder.Path("target.exe")) << "MZ";
    }
    void TearDown() override { CoUninitialize(); }

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

    const auto saved = ReadSavedShortcut(folder.Path("t.lnk"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(0, lstrcmpiA(folder.Path("target.exe").c_str(), saved->target.c_str()));
}

// Each record frees its own list, so a copy must hold a list of its own.
TEST_F(ShellLinkFile, CopiesOwnTheirOwnItemIdList) {
    ShellLinkInfo original;
    original.m_target = folder.Path("target.exe");
    original.SetItemIdList(ILCreateFromPathA(folder.Path("target.exe").c_str()));
    ASSERT_NE(nullptr, original.m_pidl);
    PIDLIST_ABSOLUTE expected = ILCreateFromPathA(folder.Path("target.exe").c_str());

    ShellLinkInfo* copy = new ShellLinkInfo(original);
    ShellLinkInfo assigned;
    assigned = *copy;
    EXPECT_NE(original.m_pidl, copy->m_pidl);
    EXPECT_NE(copy->m_pidl, assigned.m_pidl);
    delete copy;
    original = ShellLinkInfo();
    EXPECT_EQ(nullptr, original.m_pidl);
    EXPECT_TRUE(ILIsEqual(expected, assigned.m_pidl));
    EXPECT_EQ(folder.Path("target.exe"), assigned.m_target);
    ILFree(expected);
}

TEST_F(ShellLinkFile, FileNameLongerThanAPathSavesNothing) {
    ShellLink link;
    ASSERT_TRUE(link.Create(ShellLinkInfo()));
    EXPECT_FALSE(link.Save((folder.Directory() + std::string(300, 'n') + ".lnk").c_str()));
}

}  // namespace
