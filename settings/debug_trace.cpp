#include "settings/debug_trace.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

void DebugTrace([[maybe_unused]] const char* format, ...) {
#ifndef NDEBUG
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    OutputDebugStringA(line);
#endif
}

bool CheckCall(long result, const char* where, const char* call) {
    if (SUCCEEDED(result)) return true;
    DebugTrace("%s, Failed in call to %s, HRESULT was %x\n", where, call,
               static_cast<unsigned>(result));
    return false;
}
