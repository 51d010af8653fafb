#pragma once

#include <windows.h>

#include <memory>

#include "ui/lamp_facts.h"

// The answer to a lamp's WM_GETOBJECT for its client area: the system's own description of the
// control, except that it is an indicator that cannot be pressed, checked while lit, with the
// words for its state as its value. The facts are read at each question, so a screen reader that
// holds the object hears changes. Zero for any other object, which the caller leaves to the
// system.
LRESULT AnswerLampObject(HWND lamp, WPARAM flags, LPARAM objectId,
                         std::shared_ptr<const LampFacts> facts);
