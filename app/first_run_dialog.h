#pragma once

#include <string>

#include "app/pages/url_dialog.h"
#include "app/single_instance.h"

class AutodialSwitch;

// The URL dialog of a first run, open before the main window exists. Until then it is the
// running instance's window: a later start finds it by the instance mark and may ask it to come to
// the front or to end the run, and it answers the system's session end as the main window does.
class FirstRunDialog final : public UrlDialog {
  public:
    FirstRunDialog(Settings& settings, LanguageTexts& texts, OnlineProbe& probe,
                   AutodialSwitch& autodial);

    // An exit request closed the dialog: the run ends here, without the main window.
    bool ExitRequested() const { return m_exitRequested; }

  protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void OnExitRequest();
    void OnSessionEnd(UINT message, WPARAM ending);

    AutodialSwitch& m_autodial;
    const std::string m_instanceName = InstanceName();
    bool m_exitRequested = false;
};
