#include "framework/resource_string.h"

#include "base/wide_text.h"

std::string ResourceString(UINT id) {
    // With no buffer the call hands out the string in the resource itself, of any length.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? FromWide(WideView(text, static_cast<std::size_t>(length))) : "";
}
