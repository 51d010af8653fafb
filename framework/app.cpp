#include "framework/app.h"

#include "framework/window.h"

int App::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Looked up each time: the wrapper lets go of the window when it is destroyed.
        Window* main = Window::FromHandle(m_mainWindow);
        if (main && main->PreTranslateMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
