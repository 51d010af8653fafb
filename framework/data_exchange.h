#pragma once

#include <windows.h>

#include <string>

class Window;

// Moves member values to a dialog's controls (save = false) or back (save = true).
class DataExchange {
  public:
    DataExchange(HWND dialog, bool save) : m_dialog(dialog), m_saveAndValidate(save) {}

    // Takes the control over with the wrapper the first time the members are bound.
    void Control(int id, Window& control);
    void Text(int id, std::string& value);
    void Check(int id, bool& value);

  private:
    HWND m_dialog;

  public:
    const bool m_saveAndValidate;
};
