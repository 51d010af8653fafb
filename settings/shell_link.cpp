#include "settings/shell_link.h"

#include <utility>

#include "base/wide_text.h"
#include "settings/debug_trace.h"

namespace {

// Where a failed step of a save is traced from.
constexpr const char* kSaveTrace = "ShellLink::Save";

constexpr CLSID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void FreeItemIdList(LPITEMIDLIST list) {
    if (!list) return;
    IMalloc* raw = nullptr;
    const HRESULT result = SHGetMalloc(&raw);
    if (FAILED(result)) {
        DebugTrace(
            "ShellLinkInfo::~ShellLinkInfo, Failed to get the shell's IMalloc interface, "
            "HRESULT was %x\n",
            static_cast<unsigned>(result));
        return;
    }
    OwnedCom<IMalloc> allocator(raw);
    allocator.get()->Free(list);
}

}  // namespace

ShellLinkInfo::ShellLinkInfo(const ShellLinkInfo& other)
    : m_target(other.m_target),
      m_pidl(other.m_pidl ? ILClone(other.m_pidl) : nullptr),
      m_arguments(other.m_arguments),
      m_description(other.m_description),
      m_hotkey(other.m_hotkey),
      m_iconLocation(other.m_iconLocation),
      m_iconIndex(other.m_iconIndex),
      m_showCmd(other.m_showCmd),
      m_workingDirectory(other.m_workingDirectory) {}

ShellLinkInfo& ShellLinkInfo::operator=(const ShellLinkInfo& other) {
    if (this == &other) return *this;
    ShellLinkInfo copy(other);
    std::swap(m_target, copy.m_target);
    std::swap(m_pidl, copy.m_pidl);
    std::swap(m_arguments, copy.m_arguments);
    std::swap(m_description, copy.m_description);
    m_hotkey = copy.m_hotkey;
    std::swap(m_iconLocation, copy.m_iconLocation);
    m_iconIndex = copy.m_iconIndex;
    m_showCmd = copy.m_showCmd;
    std::swap(m_workingDirectory, copy.m_workingDirectory);
    return *this;
}

ShellLinkInfo::~ShellLinkInfo() {
    FreeItemIdList(m_pidl);
}

void ShellLinkInfo::SetItemIdList(LPITEMIDLIST list) {
    if (list == m_pidl) return;
    FreeItemIdList(m_pidl);
    m_pidl = list;
}

bool ShellLink::Initialize() {
    if (m_initialized) return m_psl && m_ppf;
    m_initialized = true;
    IShellLinkW* raw = nullptr;
    HRESULT result = CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      kIidShellLinkW, reinterpret_cast<void**>(&raw));
    if (!CheckCall(result, "ShellLink::Initialize", "CoCreateInstance for IShellLink"))
        return false;
    m_psl.reset(raw);
    m_ppf = QueryOwned<IPersistFile>(raw, kIidPersistFile, &result);
    return CheckCall(result, "ShellLink::Initialize", "QueryInterface for IPersistFile");
}

bool ShellLink::Create(const ShellLinkInfo& info) {
    if (!Initialize()) return false;
    m_sli = info;
    return true;
}

void ShellLink::SaveFields() {
    IShellLinkW* link = m_psl.get();
    CheckCall(link->SetWorkingDirectory(ToWide(m_sli.m_workingDirectory).c_str()), kSaveTrace,
              "IShellLink::SetWorkingDirectory");
    CheckCall(link->SetIconLocation(ToWide(m_sli.m_iconLocation).c_str(), m_sli.m_iconIndex),
              kSaveTrace, "IShellLink::SetIconLocation");
    CheckCall(link->SetDescription(ToWide(m_sli.m_description).c_str()), kSaveTrace,
              "IShellLink::SetDescription");
    CheckCall(link->SetArguments(ToWide(m_sli.m_arguments).c_str()), kSaveTrace,
              "IShellLink::SetArguments");
    CheckCall(link->SetHotkey(m_sli.m_hotkey), kSaveTrace, "IShellLink::SetHotkey");
    CheckCall(link->SetShowCmd(m_sli.m_showCmd), kSaveTrace, "IShellLink::SetShowCmd");
}

bool ShellLink::Save(const std::string& file) {
    if (!Initialize()) return false;
    if (m_sli.m_pidl)
        CheckCall(m_psl.get()->SetIDList(m_sli.m_pidl), kSaveTrace, "IShellLink::SetIDList");
    else
        CheckCall(m_psl.get()->SetPath(ToWide(m_sli.m_target).c_str()), kSaveTrace,
                  "IShellLink::SetPath");
    SaveFields();
    return CheckCall(m_ppf.get()->Save(ToWide(file).c_str(), TRUE), kSaveTrace,
                     "IPersistFile::Save");
}
