#pragma once

#include <windows.h>

// Resource types by number: the RT_ macros of this build are the ANSI ones.
inline constexpr WORD kDialogResource = 5;
inline constexpr WORD kIconGroupResource = 14;

// A resource of the program's own module: its bytes, which live as long as the module, and how
// many there are; empty when the module has no such resource.
struct ModuleResource {
    const BYTE* bytes = nullptr;
    DWORD size = 0;
};

ModuleResource FindModuleResource(int id, WORD type);
