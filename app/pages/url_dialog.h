#pragma once

#include <string>

#include "framework/dialog.h"
#include "keepalive/online_probe.h"
#include "settings/language.h"
#include "settings/settings.h"

// The dialog in which the user enters and tests the keep-alive URL. OK puts the entered URL in
// force; Cancel (Escape or the close box) puts back the one it opened with.
class CKeepAliveUrlDlg : public CDialog {
  public:
    CKeepAliveUrlDlg(Settings& settings, LanguageTexts& texts, OnlineProbe& probe);

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& exchange) override;
    void OnShowWindow(bool show) override;
    bool OnCommand(WORD id, WORD code) override;
    void OnOK() override;
    void OnCancel() override;

  private:
    void SetUp();
    void TakeLanguageTexts();
    void ShowPrompt();
    void TestUrl();
    ProbeResult WaitForProbe(const ProbeTarget& target);
    void DispatchOwnMessages();

    Settings& m_settings;
    LanguageTexts& m_texts;
    OnlineProbe& m_probe;
    std::string m_strURL;
    std::string m_strResult;
    std::string m_strExplanation;
    std::string m_strNote;
    std::string m_strURLAtOpen;
    std::string m_strSuccess;
    std::string m_strFailure;
    bool m_bTesting = false;
    bool m_bClosed = false;
};
