#pragma once

#include <windows.h>

#include <initializer_list>

// Dialog templates in memory, a DLGTEMPLATE or a DLGTEMPLATEEX followed by its items, changed
// before the system creates a dialog from them.

// The dialog's style, with the template's font bits kept, and no extended style.
void SetTemplateStyle(void* dialogTemplate, DWORD style);

// The items with these ids are made hidden and disabled, as if they had been created so.
void HideTemplateItems(void* dialogTemplate, std::initializer_list<int> ids);

// A dialog resource's size in dialog units; zero when the module has no such template.
SIZE TemplateSize(int templateId);
