#pragma once

#include <string>

#include "framework/dialog.h"
#include "keepalive/online_probe.h"
#include "settings/language.h"
#include "settings/settings.h"

// The dialog in which the user enters and tests the keep-alive URL. OK makes the entered URL the
// one to keep; Cancel (Escape or the close box) puts back the one it opened with.
class UrlDialog : public Dialog {
  public:
    UrlDialog(Settings& settings, LanguageTexts& texts, OnlineProbe& probe);

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    void OnShown() override;
    bool OnCommand(WORD id, WORD code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnOK() override;
    void OnCancel() override;

  private:
    void TakeLanguageTexts();
    void ShowPrompt();
    void TestUrl();
    ProbeResult WaitForProbe(const ProbeTarget& target);
    void DispatchOwnMessages();

    Settings& m_settings;
    LanguageTexts& m_texts;
    OnlineProbe& m_probe;
    std::string m_url;
    std::string m_result;
    std::string m_explanation;
    std::string m_note;
    std::string m_urlAtOpen;
    std::string m_success;
    std::string m_failure;
    bool m_testing = false;
    bool m_closed = false;
    bool m_sessionEnding = false;
};
