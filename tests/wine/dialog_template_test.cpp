#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "framework/dialog_template.h"
#include "framework/module_resource.h"
#include "tests/wine/test_resources.h"

namespace {

// A changeable copy of a dialog resource, as the property sheet hands its template over.
std::vector<DWORD> TemplateCopy(int id) {
    const ModuleResource resource = FindModuleResource(id, kDialogResource);
    std::vector<DWORD> copy((resource.size + 3) / 4);
    if (resource.bytes) std::memcpy(copy.data(), resource.bytes, resource.size);
    return copy;
}

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}

// The system reads the changed template as the change meant: only the named items are hidden
// and disabled, and every item after them is still read in step.
TEST(DialogTemplate, HiddenItemsAreMadeHiddenAndDisabledInEitherForm) {
    for (const int form : {IDD_TEST_PLAIN, IDD_TEST_EXTENDED}) {
        SCOPED_TRACE(form);
        std::vector<DWORD> dialogTemplate = TemplateCopy(form);
        HideTemplateItems(dialogTemplate.data(), {IDOK, IDCANCEL});
        HWND dialog = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
            nullptr, NoDialogProc, 0);
        ASSERT_NE(nullptr, dialog);
        for (const auto& [id, title, shown] :
             {std::tuple{IDOK, L"OK", false}, std::tuple{IDC_TEST_TEXT, L"text", true},
              std::tuple{IDCANCEL, L"Cancel", false}, std::tuple{IDC_TEST_LAST, L"last", true}}) {
            HWND item = GetDlgItem(dialog, id);
            ASSERT_NE(nullptr, item) << id;
            EXPECT_EQ(title, TextOf(item));
            EXPECT_EQ(shown, (GetWindowLongPtrW(item, GWL_STYLE) & WS_VISIBLE) != 0) << id;
            EXPECT_EQ(shown, IsWindowEnabled(item) != FALSE) << id;
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
