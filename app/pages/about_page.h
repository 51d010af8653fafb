#pragma once

#include <string>

#include "framework/property_page.h"
#include "settings/language.h"
#include "ui/hyperlink.h"
#include "ui/icon_button.h"

// The about page: version, operating system, help and the maker's links.
class AboutPage : public CPropertyPage {
  public:
    AboutPage(LanguageTexts& texts, std::string helpPath);

    CHyperLink m_linkContact;
    CHyperLink m_linkHome;
    CHyperLink m_linkMail;
    std::string m_strOs;
    std::string m_strVersion;
    CIconButton m_btnUpdate;
    CIconButton m_btnHelp;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
    void OnShowWindow(bool show) override;
    bool OnCommand(WORD id, WORD code) override;

  private:
    void SetUpLinks();
    void SetLanguageTexts();
    void OnHelp();
    void OnCheckForUpdates();

    LanguageTexts& m_texts;
    std::string m_helpPath;
};
