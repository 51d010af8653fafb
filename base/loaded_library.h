#pragma once

#include <windows.h>

// An export of module as a function of type F, or null when the module or the export is missing.
template <typename F>
F ExportOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// An export of a DLL the process has loaded already (user32, comctl32, ntdll), or null: for calls
// that only newer systems have.
template <typename F>
F LoadedFunction(const wchar_t* module, const char* name) {
    return ExportOf<F>(GetModuleHandleW(module), name);
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

    // The named export as a function of type F, or null.
    template <typename F>
    F Function(const char* name) const {
        return ExportOf<F>(m_module, name);
    }

  private:
    HMODULE m_module;
};
