#include "app/pages/settings_page.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/pages/control_texts.h"
#include "app/pages/url_dialog.h"
#include "framework/data_exchange.h"
#include "platform/user.h"
#include "res/resource.h"

namespace {

constexpr const char* kRedialHelp =
    "You need to set the Global Internet Settings to \"Dial whenever a network connection is "
    "not present\" in order for Nimbrel to redial automatically. Otherwise you will get "
    "prompted.";

}  // namespace

SettingsPage::SettingsPage(Settings& settings, LanguageTexts& texts, OnlineProbe& probe)
    : PropertyPage(IDD_SETTINGS_PAGE), m_settings(settings), m_texts(texts), m_probe(probe) {}

void SettingsPage::LoadSwitches() {
    m_autostart = m_settings.autoStart;
    m_redial = m_settings.redial;
}

void SettingsPage::CommitSwitches() {
    m_settings.autoStart = m_autostart;
    m_settings.redial = m_redial;
}

void SettingsPage::DoDataExchange(DataExchange& exchange) {
    exchange.Check(IDC_AUTOSTART, m_autostart);
    exchange.Check(IDC_REDIAL, m_redial);
    exchange.Text(IDC_URL_TEXT, m_url);
}

void SettingsPage::OnShown() {
    ShowControlTexts(Handle(), m_texts,
                     {{IDC_AUTOSTART, "IDC_AUTOSTART"},
                      {IDC_REDIAL, "IDC_REDIAL"},
                      {IDC_IE_PROPERTIES, "IDC_IE_PROP"},
                      {IDC_KA_LABEL, "IDC_KA"},
                      {IDC_CHANGE_URL, "IDC_URL"}});
    m_url = m_settings.url;
    UpdateData(Exchange::ToControls);
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
    ShellExecuteW(Handle(), L"open", L"control.exe", L"inetcpl.cpl", L".", SW_SHOWNORMAL);
}

void SettingsPage::ShowRedialHelp() {
    const std::vector<std::string> taken = m_texts.Take({"AUTOSTART-HELP"});
    const std::string text = taken.empty() ? kRedialHelp : taken.front();
    platform::User().ShowMessage(reinterpret_cast<platform::Window>(Handle()), text, "Tip",
                                 platform::MessageIcon::kNone);
}

void SettingsPage::ChangeUrl() {
    // Ticks made on this page since it was shown would be undone by the transfers below.
    UpdateData(Exchange::FromControls);
    UrlDialog dialog(m_settings, m_texts, m_probe);
    dialog.DoModal(Handle());
    TransferSettings(m_settings, Transfer::Write);
    RegisterUserAgentToken();
    m_url = m_settings.url;
    UpdateData(Exchange::ToControls);
}
