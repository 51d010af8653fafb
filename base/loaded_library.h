#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

// Owns one module loaded for a while and frees it once: a DLL needed for a single call at
// start-up need not stay in memory for the whole run.
class LoadedLibrary {
  public:
    // name is a system DLL's plain ASCII name.
    explicit LoadedLibrary(const char* name) : m_module(LoadLibraryW(Wide(name).data())) {}
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    ~LoadedLibrary() {
        if (m_module) FreeLibrary(m_module);
    }

    // The named export as a function of type F, or null.
    template <typename F>
    F Function(const char* name) const {
        return m_module
                   ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name)))
                   : nullptr;
    }

  private:
    static std::vector<wchar_t> Wide(const char* name) {
        std::vector<wchar_t> wide(name, name + strlen(name) + 1);
        return wide;
    }

    HMODULE m_module;
};
