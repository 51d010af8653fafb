#include "app/pages/about_page.h"

#include <utility>

#include "about/about_actions.h"
#include "about/maker_pages.h"
#include "about/os_description.h"
#include "framework/data_exchange.h"
#include "framework/window_text.h"
#include "res/product.h"
#include "res/resource.h"

AboutPage::AboutPage(LanguageTexts& texts, std::string helpPath)
    : PropertyPage(IDD_ABOUT_PAGE), m_texts(texts), m_helpPath(std::move(helpPath)) {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

// The system's description is read once, for the page's life.
BOOL AboutPage::OnInitDialog() {
    m_os = GetOsDescription();
    SetUpLinks();
    return PropertyPage::OnInitDialog();
}

void AboutPage::SetUpLinks() {
    const bool german = m_texts.InForce();
    m_homeLink.SetURL(HomeLinkTarget(german));
    m_contactLink.SetURL(ContactLinkTarget(german));
    m_mailLink.SetURL(MailLinkTarget());
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    for (Hyperlink* link : {&m_mailLink, &m_homeLink, &m_contactLink}) {
        // A visited link keeps its colour.
        link->SetColours(link->GetLinkColour(), link->GetLinkColour(), Hyperlink::kHighlightHover);
        link->SetLinkCursor(hand);
    }
}

void AboutPage::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_LINK_CONTACT, m_contactLink);
    exchange.Control(IDC_LINK_HOME, m_homeLink);
    exchange.Control(IDC_LINK_MAIL, m_mailLink);
    exchange.Text(IDC_OS, m_os);
    exchange.Text(IDC_VERSION, m_version);
    exchange.Control(IDC_CHECK_UPDATES, m_updateButton);
    exchange.Control(IDC_HELP_BUTTON, m_helpButton);
}

void AboutPage::ScaleImages(int dpi) {
    m_updateButton.SetDpi(dpi);
    m_helpButton.SetDpi(dpi);
}

// Showing and hiding alike set the icons, the version and, with a language file in force, the
// page's texts.
void AboutPage::OnShowWindow(bool) {
    m_updateButton.SetIcon(IDI_UPDATE, 0);
    m_helpButton.SetIcon(IDI_HELP, 0);
    m_version = "Version " + kVersion;
    if (m_texts.InForce()) SetLanguageTexts();
    UpdateData(Exchange::ToControls);
}

void AboutPage::SetLanguageTexts() {
    SetItemText(m_window, IDC_ABOUT_TITLE, m_texts.Text("about_title"));
    SetItemText(m_window, IDC_CHECK_UPDATES, m_texts.Text("about_bt_check_update"));
    SetItemText(m_window, IDC_HELP_BUTTON, m_texts.Text("about_bt_help"));
    // No control shows "about_or", but a new language file gets it with the page's other keys.
    m_texts.AddMissing({"about_title", "about_or", "about_bt_check_update", "about_bt_help"});
    m_texts.Refresh();
}

bool AboutPage::OnCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_HELP_BUTTON:
            OnHelp();
            return true;
        case IDC_CHECK_UPDATES:
            OnCheckForUpdates();
            return true;
        default:
            return false;
    }
}

void AboutPage::OnHelp() {
    OpenHelpFile(reinterpret_cast<platform::Window>(m_window), m_helpPath);
}

void AboutPage::OnCheckForUpdates() {
    OpenUpdatePage(reinterpret_cast<platform::Window>(m_window));
}
