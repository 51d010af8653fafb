#include "settings/url_shell_link.h"

#include "base/wide_text.h"
#include "settings/debug_trace.h"

namespace {

constexpr CLSID kClsidInternetShortcut = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
constexpr IID kIidUniformResourceLocatorW = {
    0xCABB0DA0, 0xDA57, 0x11CF, {0x99, 0x74, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x62}};

}  // namespace

bool UrlShellLink::Initialise() {
    if (m_initialised) return m_locator && m_ppf;
    m_initialised = true;
    constexpr const char* kWhere = "UrlShellLink::Initialise";
    IUniformResourceLocatorW* raw = nullptr;
    HRESULT result = CoCreateInstance(kClsidInternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                      kIidUniformResourceLocatorW, reinterpret_cast<void**>(&raw));
    if (!CheckCall(result, kWhere, "CoCreateInstance for IUniformResourceLocator")) return false;
    m_locator.reset(raw);
    m_ppf = QueryOwned<IPersistFile>(raw, kIidPersistFile, &result);
    if (!CheckCall(result, kWhere, "QueryInterface for IPersistFile")) return false;
    m_psl = QueryOwned<IShellLinkW>(raw, kIidShellLinkW, &result);
    CheckCall(result, kWhere, "QueryInterface for IShellLink");
    return true;
}

bool UrlShellLink::Save(const std::string& file) {
    if (!Initialise()) return false;
    constexpr const char* kWhere = "UrlShellLink::Save";
    CheckCall(m_locator.get()->SetURL(ToWide(m_sli.m_target).c_str(), 0), kWhere,
              "IUniformResourceLocator::SetURL");
    if (m_psl) SaveFields(kWhere, false);
    return CheckCall(m_ppf.get()->Save(ToWide(file).c_str(), TRUE), kWhere, "IPersistFile::Save");
}

bool UrlShellLink::Load(const std::string& file) {
    if (!Initialise()) return false;
    constexpr const char* kWhere = "UrlShellLink::Load";
    if (!CheckCall(m_ppf.get()->Load(ToWide(file).c_str(), STGM_READ), kWhere,
                   "IPersistFile::Load"))
        return false;
    wchar_t* url = nullptr;
    if (CheckCall(m_locator.get()->GetURL(&url), kWhere, "IUniformResourceLocator::GetURL")) {
        m_sli.m_target = url ? FromWide(url) : "";
        CoTaskMemFree(url);
    }
    if (m_psl) LoadFields(kWhere, false);
    return true;
}

bool UrlShellLink::Invoke(HWND parent) {
    if (!Initialise()) return false;
    constexpr const char* kWhere = "UrlShellLink::Invoke";
    if (!CheckCall(m_locator.get()->SetURL(ToWide(m_sli.m_target).c_str(), 0), kWhere,
                   "IUniformResourceLocator::SetURL"))
        return false;
    URLINVOKECOMMANDINFOW command{};
    command.dwcbSize = sizeof command;
    command.dwFlags =
        IURL_INVOKECOMMAND_FL_USE_DEFAULT_VERB | (parent ? IURL_INVOKECOMMAND_FL_ALLOW_UI : 0);
    command.hwndParent = parent;
    return CheckCall(m_locator.get()->InvokeCommand(&command), kWhere,
                     "IUniformResourceLocator::InvokeCommand");
}
