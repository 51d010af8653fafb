#pragma once

#include <string>

#include "framework/property_page.h"

// The settings page: keep-alive URL, autostart and redial switches.
class CP111 : public CPropertyPage {
  public:
    CP111();

    int m_bAutostart = 0;
    int m_bRedial = 0;
    std::string m_strURL;

  protected:
    void DoDataExchange(CDataExchange& exchange) override;
};
