#pragma once

#include <string>

#include "framework/property_page.h"
#include "settings/language.h"
#include "ui/hyperlink.h"
#include "ui/icon_button.h"

// The about page: version, operating system, help and the maker's links.
class AboutPage : public PropertyPage {
  public:
    AboutPage(LanguageTexts& texts, std::string helpPath);

    // The page is now drawn at dpi: its button icons follow.
    void ScaleImages(int dpi);

    Hyperlink m_contactLink;
    Hyperlink m_homeLink;
    Hyperlink m_mailLink;
    std::string m_os;
    std::string m_version;
    IconButton m_updateButton;
    IconButton m_helpButton;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    void OnShown() override;
    bool OnCommand(WORD id, WORD code) override;

  private:
    void SetUpLinks();
    void SetLanguageTexts();
    void OnHelp();
    void OnCheckForUpdates();

    LanguageTexts& m_texts;
    std::string m_helpPath;
};
