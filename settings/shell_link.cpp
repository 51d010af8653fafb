#include "settings/shell_link.h"

#include <utility>

#include "settings/debug_trace.h"

namespace {

constexpr CLSID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Longest description or argument text read back from a link.
constexpr int kInfoTextSize = 1024;

void FreeItemIdList(LPITEMIDLIST list) {
    if (!list) return;
    IMalloc* raw = nullptr;
    const HRESULT result = SHGetMalloc(&raw);
    if (FAILED(result)) {
        DebugTrace(
            "CShellLinkInfo::~CShellLinkInfo, Failed to get the shell's IMalloc interface, "
            "HRESULT was %x\n",
            static_cast<unsigned>(result));
        return;
    }
    OwnedCom<IMalloc> allocator(raw);
    allocator.get()->Free(list);
}

}  // namespace

CShellLinkInfo::CShellLinkInfo(const CShellLinkInfo& other)
    : m_sTarget(other.m_sTarget),
      m_pidl(other.m_pidl ? ILClone(other.m_pidl) : nullptr),
      m_sArguments(other.m_sArguments),
      m_sDescription(other.m_sDescription),
      m_wHotkey(other.m_wHotkey),
      m_sIconLocation(other.m_sIconLocation),
      m_nIconIndex(other.m_nIconIndex),
      m_nShowCmd(other.m_nShowCmd),
      m_sWorkingDirectory(other.m_sWorkingDirectory) {}

CShellLinkInfo& CShellLinkInfo::operator=(const CShellLinkInfo& other) {
    if (this == &other) return *this;
    CShellLinkInfo copy(other);
    std::swap(m_sTarget, copy.m_sTarget);
    std::swap(m_pidl, copy.m_pidl);
    std::swap(m_sArguments, copy.m_sArguments);
    std::swap(m_sDescription, copy.m_sDescription);
    m_wHotkey = copy.m_wHotkey;
    std::swap(m_sIconLocation, copy.m_sIconLocation);
    m_nIconIndex = copy.m_nIconIndex;
    m_nShowCmd = copy.m_nShowCmd;
    std::swap(m_sWorkingDirectory, copy.m_sWorkingDirectory);
    return *this;
}

CShellLinkInfo::~CShellLinkInfo() {
    FreeItemIdList(m_pidl);
}

void CShellLinkInfo::SetItemIdList(LPITEMIDLIST list) {
    if (list == m_pidl) return;
    FreeItemIdList(m_pidl);
    m_pidl = list;
}

int CShellLink::Initialise() {
    if (m_bInitialised) return m_psl && m_ppf ? 1 : 0;
    m_bInitialised = 1;
    IShellLinkA* raw = nullptr;
    HRESULT result = CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      kIidShellLinkA, reinterpret_cast<void**>(&raw));
    if (!CheckCall(result, "CShellLink::Initialise", "CoCreateInstance for IShellLink")) return 0;
    m_psl.reset(raw);
    m_ppf = QueryOwned<IPersistFile>(raw, kIidPersistFile, &result);
    return CheckCall(result, "CShellLink::Initialise", "QueryInterface for IPersistFile") ? 1 : 0;
}

int CShellLink::Create(const CShellLinkInfo& info) {
    if (!Initialise()) return 0;
    m_sli = info;
    return 1;
}

bool CShellLink::ToWide(const char* file, wchar_t (&wide)[MAX_PATH]) {
    return MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH) != 0;
}

void CShellLink::SaveFields(const char* where, bool withArguments) {
    IShellLinkA* link = m_psl.get();
    CheckCall(link->SetWorkingDirectory(m_sli.m_sWorkingDirectory.c_str()), where,
              "IShellLink::SetWorkingDirectory");
    CheckCall(link->SetIconLocation(m_sli.m_sIconLocation.c_str(), m_sli.m_nIconIndex), where,
              "IShellLink::SetIconLocation");
    CheckCall(link->SetDescription(m_sli.m_sDescription.c_str()), where,
              "IShellLink::SetDescription");
    if (withArguments)
        CheckCall(link->SetArguments(m_sli.m_sArguments.c_str()), where,
                  "IShellLink::SetArguments");
    CheckCall(link->SetHotkey(m_sli.m_wHotkey), where, "IShellLink::SetHotkey");
    CheckCall(link->SetShowCmd(m_sli.m_nShowCmd), where, "IShellLink::SetShowCmd");
}

int CShellLink::Save(const char* file) {
    wchar_t wide[MAX_PATH];
    if (!Initialise() || !ToWide(file, wide)) return 0;
    constexpr const char* kWhere = "CShellLink::Save";
    if (m_sli.m_pidl)
        CheckCall(m_psl.get()->SetIDList(m_sli.m_pidl), kWhere, "IShellLink::SetIDList");
    else
        CheckCall(m_psl.get()->SetPath(m_sli.m_sTarget.c_str()), kWhere, "IShellLink::SetPath");
    SaveFields(kWhere, true);
    return CheckCall(m_ppf.get()->Save(wide, TRUE), kWhere, "IPersistFile::Save") ? 1 : 0;
}

void CShellLink::LoadFields(const char* where, bool withArguments) {
    IShellLinkA* link = m_psl.get();
    char text[kInfoTextSize] = "";
    if (CheckCall(link->GetWorkingDirectory(text, MAX_PATH), where,
                  "IShellLink::GetWorkingDirectory"))
        m_sli.m_sWorkingDirectory = text;
    int index = 0;
    if (CheckCall(link->GetIconLocation(text, MAX_PATH, &index), where,
                  "IShellLink::GetIconLocation")) {
        m_sli.m_sIconLocation = text;
        m_sli.m_nIconIndex = index;
    }
    if (CheckCall(link->GetDescription(text, kInfoTextSize), where, "IShellLink::GetDescription"))
        m_sli.m_sDescription = text;
    if (withArguments &&
        CheckCall(link->GetArguments(text, kInfoTextSize), where, "IShellLink::GetArguments"))
        m_sli.m_sArguments = text;
    WORD hotkey = 0;
    if (CheckCall(link->GetHotkey(&hotkey), where, "IShellLink::GetHotkey"))
        m_sli.m_wHotkey = hotkey;
    int show = 0;
    if (CheckCall(link->GetShowCmd(&show), where, "IShellLink::GetShowCmd"))
        m_sli.m_nShowCmd = show;
}

int CShellLink::Load(const char* file) {
    wchar_t wide[MAX_PATH];
    if (!Initialise() || !ToWide(file, wide)) return 0;
    constexpr const char* kWhere = "CShellLink::Load";
    if (!CheckCall(m_ppf.get()->Load(wide, STGM_READ), kWhere, "IPersistFile::Load")) return 0;
    char path[MAX_PATH] = "";
    WIN32_FIND_DATAA found{};
    if (CheckCall(m_psl.get()->GetPath(path, MAX_PATH, &found, SLGP_UNCPRIORITY), kWhere,
                  "IShellLink::GetPath"))
        m_sli.m_sTarget = path;
    LPITEMIDLIST list = nullptr;
    if (CheckCall(m_psl.get()->GetIDList(&list), kWhere, "IShellLink::GetIDList"))
        m_sli.SetItemIdList(list);
    LoadFields(kWhere, true);
    return 1;
}

int CShellLink::Resolve(HWND parent, DWORD flags) {
    if (!Initialise() || !m_psl) return 0;
    return CheckCall(m_psl.get()->Resolve(parent, flags), "CShellLink::Resolve",
                     "IShellLink::Resolve")
               ? 1
               : 0;
}
