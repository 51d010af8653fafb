#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "framework/com_ptr.h"

// Constants rather than __uuidof, which does not link for these with mingw.
inline constexpr IID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// What one shortcut holds. The record owns its item-id list; a copy owns a clone of it.
class CShellLinkInfo {
  public:
    CShellLinkInfo() = default;
    CShellLinkInfo(const CShellLinkInfo& other);
    CShellLinkInfo& operator=(const CShellLinkInfo& other);
    ~CShellLinkInfo();

    // Takes list over, freeing the one held before.
    void SetItemIdList(LPITEMIDLIST list);

    std::string m_sTarget;
    LPITEMIDLIST m_pidl = nullptr;
    std::string m_sArguments;
    std::string m_sDescription;
    WORD m_wHotkey = 0;
    std::string m_sIconLocation;
    int m_nIconIndex = 0;
    int m_nShowCmd = SW_SHOW;
    std::string m_sWorkingDirectory;
};

// The system's shell-link object, filled from a record and saved to a .lnk file, or loaded
// from one. COM must be initialised on the calling thread. Results are 1 or 0.
class CShellLink {
  public:
    CShellLink() = default;
    CShellLink(const CShellLink&) = delete;
    CShellLink& operator=(const CShellLink&) = delete;
    virtual ~CShellLink() = default;

    // Creates the object at the first call; 1 when its interfaces are there.
    virtual int Initialise();
    int Create(const CShellLinkInfo& info);
    virtual int Save(const char* file);
    virtual int Load(const char* file);
    // parent may be null: no window for the system's questions.
    int Resolve(HWND parent, DWORD flags);

    const CShellLinkInfo& Info() const { return m_sli; }

  protected:
    // The file name as the persist interface takes it; false when it does not fit MAX_PATH.
    static bool ToWide(const char* file, wchar_t (&wide)[MAX_PATH]);
    // The fields after the target, in the link's order; failures are traced and skipped.
    void SaveFields(const char* where, bool withArguments);
    void LoadFields(const char* where, bool withArguments);

    CShellLinkInfo m_sli;
    // Members go in reverse order: the persist interface is released before the link.
    OwnedCom<IShellLinkA> m_psl;
    OwnedCom<IPersistFile> m_ppf;
    int m_bInitialised = 0;
};
