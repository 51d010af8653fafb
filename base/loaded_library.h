#pragma once

#include <windows.h>

#include <type_traits>

// The pointer type of a system export whose signature is Signature, e.g. UINT(HWND). The calling
// convention is always WINAPI, the one every export the program looks up uses; callers name only
// the signature, so none can give a looked-up function a different convention, which on 32-bit
// Windows would leave the stack unbalanced after each call.
template <typename Signature>
struct SystemFunction;

template <typename Result, typename... Arguments>
struct SystemFunction<Result(Arguments...)> {
    using Pointer = Result(WINAPI*)(Arguments...);
};

template <typename Signature>
using SystemFunctionPointer = typename SystemFunction<Signature>::Pointer;

// Holds the alias to the system's own convention in the 32-bit build, where it differs from C's.
static_assert(std::is_same_v<SystemFunctionPointer<LRESULT(HWND, UINT, WPARAM, LPARAM)>, WNDPROC>);

// An export of module with the signature Signature, or null when the module or the export is
// missing. The program's one cast to a function pointer: GetProcAddress knows no signatures.
template <typename Signature>
SystemFunctionPointer<Signature> ExportOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<SystemFunctionPointer<Signature>>(
                        reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// An export of a DLL the process has loaded already (user32, comctl32, ntdll), or null: for calls
// that only newer systems have.
template <typename Signature>
SystemFunctionPointer<Signature> LoadedFunction(const wchar_t* module, const char* name) {
    return ExportOf<Signature>(GetModuleHandleW(module), name);
}

// Owns one module loaded for a while and frees it once: a DLL needed for a single call at
// start-up need not stay in memory for the whole run.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const wchar_t* name) : m_module(LoadLibraryW(name)) {}
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    ~LoadedLibrary() {
        if (m_module) FreeLibrary(m_module);
    }

    // The named export with the signature Signature, or null.
    template <typename Signature>
    SystemFunctionPointer<Signature> Function(const char* name) const {
        return ExportOf<Signature>(m_module, name);
    }

  private:
    HMODULE m_module;
};
