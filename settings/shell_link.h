#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/com_ptr.h"

// Constants rather than __uuidof, which does not link for these with mingw.
inline constexpr IID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID kIidShellLinkW = {
    0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// What one shortcut holds, its texts in UTF-8. The record owns its item-id list; a copy owns a
// clone of it.
class ShellLinkInfo {
  public:
    ShellLinkInfo() = default;
    ShellLinkInfo(const ShellLinkInfo& other);
    ShellLinkInfo& operator=(const ShellLinkInfo& other);
    ~ShellLinkInfo();

    // Takes list over, freeing the one held before.
    void SetItemIdList(LPITEMIDLIST list);

    std::string m_target;
    LPITEMIDLIST m_pidl = nullptr;
    std::string m_arguments;
    std::string m_description;
    WORD m_hotkey = 0;
    std::string m_iconLocation;
    int m_iconIndex = 0;
    int m_showCmd = SW_SHOW;
    std::string m_workingDirectory;
};

// The system's shell-link object, filled from a record and saved to a .lnk file. COM must be
// initialized on the calling thread. Each step returns whether it worked.
class ShellLink {
  public:
    ShellLink() = default;
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    bool Create(const ShellLinkInfo& info);
    bool Save(const std::string& file);

  private:
    // Creates the object at the first call; true when its interfaces are there.
    bool Initialize();
    // The fields after the target, in the link's order; failures are traced and skipped.
    void SaveFields();

    ShellLinkInfo m_sli;
    // Members go in reverse order: the persist interface is released before the link.
    OwnedCom<IShellLinkW> m_psl;
    OwnedCom<IPersistFile> m_ppf;
    bool m_initialized = false;
};
