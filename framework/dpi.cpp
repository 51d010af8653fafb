#include "framework/dpi.h"

#include "base/loaded_library.h"

namespace {

using GetDpiForWindowFunction = UINT(HWND);

// Windows 10 1607 and later; earlier systems have one scale for every window.
SystemFunctionPointer<GetDpiForWindowFunction> DpiForWindow() {
    static const auto function =
        LoadedFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    return function;
}

// The screen's device context for as long as the object lives.
class ScreenDc {
  public:
    ScreenDc() : m_dc(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (m_dc) ReleaseDC(nullptr, m_dc);
    }
    HDC Get() const { return m_dc; }

  private:
    HDC m_dc;
};

int SystemDpi() {
    const ScreenDc screen;
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    const auto dpiForWindow = DpiForWindow();
    const UINT dpi = window && dpiForWindow ? dpiForWindow(window) : 0;
    return dpi != 0 ? static_cast<int>(dpi) : SystemDpi();
}
