#pragma once

#include <windows.h>

#include <string>

class CWnd;

// Moves member values to a dialog's controls (save = false) or back (save = true).
class CDataExchange {
  public:
    CDataExchange(HWND dialog, bool save) : dialog_(dialog), m_bSaveAndValidate(save) {}

    // Takes the control over with the wrapper the first time the members are bound.
    void Control(int id, CWnd& control);
    void Text(int id, std::string& value);
    void Check(int id, int& value);

  private:
    HWND dialog_;

  public:
    const bool m_bSaveAndValidate;
};
