#include "settings/settings_page.h"

#include "framework/data_exchange.h"
#include "res/resource.h"

CP111::CP111() : CPropertyPage(IDD_SETTINGS_PAGE) {}

void CP111::DoDataExchange(CDataExchange& exchange) {
    exchange.Check(IDC_AUTOSTART, m_bAutostart);
    exchange.Check(IDC_REDIAL, m_bRedial);
    exchange.Text(IDC_URL_TEXT, m_strURL);
}
