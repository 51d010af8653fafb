#pragma once

#include <windows.h>

#include <utility>

// Single owners for Win32 handles: each frees its handle once, when it goes or is reset.
template <class Handle, class Traits>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : m_handle(handle) {}
    Owned(Owned&& other) noexcept : m_handle(std::exchange(other.m_handle, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(std::exchange(other.m_handle, Handle{}));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Handle{}; }
    // Gives the handle up to the caller, who frees it.
    Handle release() { return std::exchange(m_handle, Handle{}); }
    void reset(Handle handle = Handle{}) {
        if (m_handle != Handle{}) Traits::Free(m_handle);
        m_handle = handle;
    }

  private:
    Handle m_handle{};
};

struct IconTraits {
    static void Free(HICON icon) { DestroyIcon(icon); }
};
struct WindowTraits {
    static void Free(HWND window) { DestroyWindow(window); }
};
struct MenuTraits {
    static void Free(HMENU menu) { DestroyMenu(menu); }
};
struct GdiTraits {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct DcTraits {
    static void Free(HDC dc) { DeleteDC(dc); }
};
struct KernelObjectTraits {
    static void Free(HANDLE object) { CloseHandle(object); }
};
struct HookTraits {
    static void Free(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
struct LocalTraits {
    static void Free(void* memory) { LocalFree(memory); }
};

using OwnedIcon = Owned<HICON, IconTraits>;
using OwnedWindow = Owned<HWND, WindowTraits>;
using OwnedMenu = Owned<HMENU, MenuTraits>;
using OwnedGdiObject = Owned<HGDIOBJ, GdiTraits>;
using OwnedDc = Owned<HDC, DcTraits>;
using OwnedHook = Owned<HHOOK, HookTraits>;
using OwnedKernelObject = Owned<HANDLE, KernelObjectTraits>;
// Memory the system allocated for the caller with LocalAlloc.
using OwnedLocal = Owned<void*, LocalTraits>;
