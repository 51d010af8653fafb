#pragma once

// A printf-style line for the debugger's output; silent in release builds.
void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True when the COM result is a success; otherwise traces
// "<where>, Failed in call to <call>, HRESULT was <result in hex>".
bool CheckCall(long result, const char* where, const char* call);
