#include "settings/url_shell_link.h"

#include "settings/debug_trace.h"

namespace {

constexpr CLSID kClsidInternetShortcut = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
constexpr IID kIidUniformResourceLocatorA = {
    0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};

}  // namespace

int UrlShellLink::Initialise() {
    if (m_initialised) return m_locator && m_ppf ? 1 : 0;
    m_initialised = 1;
    constexpr const char* kWhere = "UrlShellLink::Initialise";
    IUniformResourceLocatorA* raw = nullptr;
    HRESULT result = CoCreateInstance(kClsidInternetShortcut, nullptr, CLSCTX_INPROC_SERVER,
                                      kIidUniformResourceLocatorA, reinterpret_cast<void**>(&raw));
    if (!CheckCall(result, kWhere, "CoCreateInstance for IUniformResourceLocator")) return 0;
    m_locator.reset(raw);
    m_ppf = QueryOwned<IPersistFile>(raw, kIidPersistFile, &result);
    if (!CheckCall(result, kWhere, "QueryInterface for IPersistFile")) return 0;
    m_psl = QueryOwned<IShellLinkA>(raw, kIidShellLinkA, &result);
    CheckCall(result, kWhere, "QueryInterface for IShellLink");
    return 1;
}

int UrlShellLink::Save(const char* file) {
    wchar_t wide[MAX_PATH];
    if (!Initialise() || !ToWide(file, wide)) return 0;
    constexpr const char* kWhere = "UrlShellLink::Save";
    CheckCall(m_locator.get()->SetURL(m_sli.m_target.c_str(), 0), kWhere,
              "IUniformResourceLocator::SetURL");
    if (m_psl) SaveFields(kWhere, false);
    return CheckCall(m_ppf.get()->Save(wide, TRUE), kWhere, "IPersistFile::Save") ? 1 : 0;
}

int UrlShellLink::Load(const char* file) {
    wchar_t wide[MAX_PATH];
    if (!Initialise() || !ToWide(file, wide)) return 0;
    constexpr const char* kWhere = "UrlShellLink::Load";
    if (!CheckCall(m_ppf.get()->Load(wide, STGM_READ), kWhere, "IPersistFile::Load")) return 0;
    char* url = nullptr;
    if (CheckCall(m_locator.get()->GetURL(&url), kWhere, "IUniformResourceLocator::GetURL")) {
        m_sli.m_target = url ? url : "";
        CoTaskMemFree(url);
    }
    if (m_psl) LoadFields(kWhere, false);
    return 1;
}

int UrlShellLink::Invoke(HWND parent) {
    if (!Initialise()) return 0;
    constexpr const char* kWhere = "UrlShellLink::Invoke";
    if (!CheckCall(m_locator.get()->SetURL(m_sli.m_target.c_str(), 0), kWhere,
                   "IUniformResourceLocator::SetURL"))
        return 0;
    URLINVOKECOMMANDINFOA command{};
    command.dwcbSize = sizeof command;
    command.dwFlags =
        IURL_INVOKECOMMAND_FL_USE_DEFAULT_VERB | (parent ? IURL_INVOKECOMMAND_FL_ALLOW_UI : 0);
    command.hwndParent = parent;
    return CheckCall(m_locator.get()->InvokeCommand(&command), kWhere,
                     "IUniformResourceLocator::InvokeCommand")
               ? 1
               : 0;
}
