#include "app/pages/settings_page.h"

#include <shellapi.h>

#include "framework/data_exchange.h"
#include "res/resource.h"
#include "settings/keep_alive_url.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace {

constexpr const char* kRedialHelp =
    "You need to set the Global Internet Settings to \"Dial whenever a network connection is "
    "not present\" in order for Nimbrel to redial automatically. Otherwise you will get "
    "prompted.";

}  // namespace

SettingsPage::SettingsPage() : CPropertyPage(IDD_SETTINGS_PAGE) {}

void SettingsPage::DoDataExchange(CDataExchange& exchange) {
    exchange.Check(IDC_AUTOSTART, m_bAutostart);
    exchange.Check(IDC_REDIAL, m_bRedial);
    exchange.Text(IDC_URL_TEXT, m_strURL);
}

void SettingsPage::OnShowWindow(bool) {
    if (g_bLanguageFile) {
        const std::pair<int, const char*> texts[] = {{IDC_AUTOSTART, "IDC_AUTOSTART"},
                                                     {IDC_REDIAL, "IDC_REDIAL"},
                                                     {IDC_IE_PROPERTIES, "IDC_IE_PROP"},
                                                     {IDC_KA_LABEL, "IDC_KA"},
                                                     {IDC_CHANGE_URL, "IDC_URL"}};
        for (const auto& [id, key] : texts)
            SetDlgItemTextA(m_hWnd, id, GetLanguageText(key).c_str());
    }
    m_strURL = SettingUrl();
    UpdateData(false);
}

bool SettingsPage::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_IE_PROPERTIES:
            OpenInternetProperties();
            return true;
        case IDC_REDIAL_TIP:
            ShowRedialHelp();
            return true;
        case IDC_CHANGE_URL:
            ChangeUrl();
            return true;
        default:
            return false;
    }
}

void SettingsPage::OpenInternetProperties() {
    ShellExecuteA(m_hWnd, "open", "control.exe", "inetcpl.cpl", ".", SW_SHOWNORMAL);
}

void SettingsPage::ShowRedialHelp() {
    const std::string text = g_bLanguageFile ? GetLanguageText("AUTOSTART-HELP") : kRedialHelp;
    MessageBoxA(m_hWnd, text.c_str(), "Tip", MB_OK);
}

void SettingsPage::ChangeUrl() {
    // Ticks made on this page since it was shown would be undone by the transfers below.
    UpdateData(true);
    if (m_runUrlDialog(m_hWnd)) UpdateData(false);
    TransferSettings(STORE_WRITE);
    m_strURL = CurrentKeepAliveUrl();
    UpdateData(false);
}

void SettingsPage::LinkUrlDialog(std::function<bool(HWND owner)> runDialog) {
    m_runUrlDialog = std::move(runDialog);
}
