#include "framework/dialog_template.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/module_resource.h"

namespace {

// The header's fields, counted in WORDs from the template's start.
struct HeaderLayout {
    int style;
    int exStyle;
    int itemCount;
    int width;  // the height follows
    int end;
    int fontFields;  // before the typeface: point size (and weight, italic, character set)
};
constexpr HeaderLayout kPlainHeader{0, 2, 4, 7, 9, 1};
constexpr HeaderLayout kExtendedHeader{6, 4, 8, 11, 13, 3};

// An item's fields, counted in WORDs from the item's start; the extended item's id is a DWORD.
struct ItemLayout {
    int style;
    int id;
    int end;
};
constexpr ItemLayout kPlainItem{0, 8, 9};
constexpr ItemLayout kExtendedItem{4, 10, 12};

bool IsExtended(const WORD* words) {
    return words[1] == 0xFFFF;
}

const HeaderLayout& HeaderOf(const WORD* words) {
    return IsExtended(words) ? kExtendedHeader : kPlainHeader;
}

DWORD ReadDword(const WORD* at) {
    DWORD value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void WriteDword(WORD* at, DWORD value) {
    std::memcpy(at, &value, sizeof value);
}

// Past a menu, class or title field: an ordinal (0xFFFF and a WORD) or a string with its zero.
WORD* SkipNameOrOrdinal(WORD* at) {
    if (*at == 0xFFFF) return at + 2;
    while (*at++ != 0) {
    }
    return at;
}

// Items start on a DWORD boundary of memory, as the system reads them.
WORD* AlignToDword(WORD* at) {
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    return reinterpret_cast<WORD*>((address + 3) & ~std::uintptr_t{3});
}

// The first item, past the header's menu, class, title and font.
WORD* FirstItem(WORD* words) {
    const HeaderLayout& header = HeaderOf(words);
    WORD* at = words + header.end;
    for (int field = 0; field < 3; ++field) at = SkipNameOrOrdinal(at);
    if (ReadDword(words + header.style) & DS_SETFONT)
        at = SkipNameOrOrdinal(at + header.fontFields);
    return AlignToDword(at);
}

// Past the item's class, title and creation data, whose first WORD counts the bytes after it.
WORD* NextItem(WORD* item, const ItemLayout& layout) {
    WORD* at = SkipNameOrOrdinal(SkipNameOrOrdinal(item + layout.end));
    const WORD dataBytes = *at;
    return AlignToDword(reinterpret_cast<WORD*>(reinterpret_cast<BYTE*>(at + 1) + dataBytes));
}

}  // namespace

void SetTemplateStyle(void* dialogTemplate, DWORD style) {
    auto* words = static_cast<WORD*>(dialogTemplate);
    const HeaderLayout& header = HeaderOf(words);
    WORD* styleField = words + header.style;
    // The font bits describe the template's layout, so they must stay.
    WriteDword(styleField, style | (ReadDword(styleField) & (DS_SETFONT | DS_FIXEDSYS)));
    WriteDword(words + header.exStyle, 0);
}

void HideTemplateItems(void* dialogTemplate, std::initializer_list<int> ids) {
    auto* words = static_cast<WORD*>(dialogTemplate);
    const bool extended = IsExtended(words);
    const ItemLayout& layout = extended ? kExtendedItem : kPlainItem;
    WORD* item = FirstItem(words);
    for (int index = 0; index < words[HeaderOf(words).itemCount]; ++index) {
        const int id = extended ? static_cast<int>(ReadDword(item + layout.id)) : item[layout.id];
        if (std::find(ids.begin(), ids.end(), id) != ids.end()) {
            WORD* style = item + layout.style;
            WriteDword(style, (ReadDword(style) & ~WS_VISIBLE) | WS_DISABLED);
        }
        item = NextItem(item, layout);
    }
}

SIZE TemplateSize(int templateId) {
    const ModuleResource resource = FindModuleResource(templateId, kDialogResource);
    const auto* words = reinterpret_cast<const WORD*>(resource.bytes);
    if (!words) return SIZE{0, 0};
    const int width = HeaderOf(words).width;
    return SIZE{static_cast<short>(words[width]), static_cast<short>(words[width + 1])};
}
