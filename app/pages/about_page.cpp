#include "app/pages/about_page.h"

#include <utility>

#include "about/about_actions.h"
#include "about/maker_pages.h"
#include "about/os_description.h"
#include "app/pages/control_texts.h"
#include "framework/data_exchange.h"
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
    const BOOL result = PropertyPage::OnInitDialog();
    // Once taken over, the buttons know their scale; a new scale loads the icons again.
    m_updateButton.SetIcon(IDI_UPDATE, 0);
    m_helpButton.SetIcon(IDI_HELP, 0);
    return result;
}

void AboutPage::SetUpLinks() {
    const bool german = m_texts.InUse();
    m_homeLink.SetURL(HomeLinkTarget(german));
    m_contactLink.SetURL(ContactLinkTarget(german));
    m_mailLink.SetURL(MailLinkTarget());
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    for (Hyperlink* link : {&m_mailLink, &m_homeLink, &m_contactLink}) {
        // A visited link keeps its color.
        link->SetColors(link->GetLinkColor(), link->GetLinkColor(), Hyperlink::kHighlightHover);
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

// Each showing sets the version and, with a language file in use, the page's texts.
void AboutPage::OnShown() {
    m_version = "Version " + kVersion;
    SetLanguageTexts();
    UpdateData(Exchange::ToControls);
}

// No control shows "about_or", but a new language file gets it with the page's other keys.
void AboutPage::SetLanguageTexts() {
    ShowControlTexts(Handle(), m_texts,
                     {{IDC_ABOUT_TITLE, "about_title"},
                      {kNoControl, "about_or"},
                      {IDC_CHECK_UPDATES, "about_bt_check_update"},
                      {IDC_HELP_BUTTON, "about_bt_help"}});
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
    OpenHelpFile(reinterpret_cast<platform::Window>(Handle()), m_helpPath);
}

void AboutPage::OnCheckForUpdates() {
    OpenUpdatePage(reinterpret_cast<platform::Window>(Handle()));
}
