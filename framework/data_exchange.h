#pragma once

#include <windows.h>

#include <string>

class Window;

// Which way a data exchange moves the values.
enum class Exchange { ToControls, FromControls };

// Moves member values to a dialog's controls or back.
class DataExchange {
  public:
    DataExchange(HWND dialog, Exchange direction) : m_dialog(dialog), m_direction(direction) {}

    // Takes the control over with the wrapper the first time the members are bound.
    void Control(int id, Window& control);
    void Text(int id, std::string& value);
    void Check(int id, bool& value);

  private:
    HWND m_dialog;
    Exchange m_direction;
};
