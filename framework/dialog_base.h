#pragma once

#include <windows.h>

#include "framework/data_exchange.h"
#include "framework/window.h"

// What modal dialogs and property pages share: a dialog procedure that dispatches to virtuals,
// reflection of control notifications, and member data exchange.
class DialogBase : public Window {
  public:
    explicit DialogBase(int templateId) : m_templateId(templateId) {}

    // Moves the members into the controls or back from them.
    void UpdateData(Exchange direction);

    const int m_templateId;

  protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(DataExchange& exchange);
    // Each time the window is shown; hiding it calls nothing.
    virtual void OnShown();
    // A command from a control or menu; true when handled.
    virtual bool OnCommand(WORD id, WORD code);
    // Any other message; true when handled, with the answer in result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // WM_INITDIALOG carries the wrapper itself as its parameter.
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static DialogBase* Bind(HWND window, DialogBase* self);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};
