#pragma once

#include <windows.h>

// A window wrapper: subclasses an existing window and dispatches its messages to virtuals. The
// subclass is the system's own (comctl32), with the wrapper as its reference data, so a window
// that others subclass too keeps every procedure in the chain.
class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    // The wrapper of a window that one of ours subclassed or created, else null.
    static Window* FromHandle(HWND window);

    bool SubclassWindow(HWND window);

    // Messages of the run's message loop pass here before translation; true = consumed.
    virtual bool PreTranslateMessage(MSG* message);

    // Notifications the parent reflects back to the control (owner draw, colors, commands).
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    HWND Handle() const { return m_window; }

  protected:
    // For wrappers whose window the system binds to them itself (dialogs).
    void SetHandle(HWND window) { m_window = window; }

    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; modeless windows free themselves here.
    virtual void PostNcDestroy() {}

    // The next procedure in the window's chain, for the message being handled.
    LRESULT Default();

    // Binds the wrapper to a window that is being created, before its first message is handled.
    void AttachDuringCreation(HWND window);

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR reference);
    // Takes this wrapper's subclass off the window; a wrapper that never subclassed one (a
    // dialog's) has nothing to take off.
    void Detach();

    HWND m_window = nullptr;
    bool m_subclassed = false;
    MSG m_current{};
};

// Lets a subclassed child handle what its parent is told about it. Returns true when handled.
bool ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
