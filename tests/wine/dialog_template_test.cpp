#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "framework/dialog_template.h"

namespace {

constexpr WORD kButtonClass = 0x0080;

// A dialog template built WORD by WORD, in either form, with items that carry every kind of
// field: a class by ordinal and by name, and creation data (an even number of bytes: Wine reads
// an odd one short).
class TemplateBuilder {
  public:
    explicit TemplateBuilder(bool extended) : m_extended(extended) {
        const DWORD style = WS_POPUP | DS_SETFONT;
        if (extended) {
            Add({1, 0xFFFF});
            Dword(0);  // help id
            Dword(0);  // extended style
            Dword(style);
        } else {
            Dword(style);
            Dword(0);
        }
        m_countAt = m_words.size();
        Add({0, 0, 0, 200, 100});  // item count, place and size
        Add({0, 0});               // no menu, the standard class
        Text(L"Template");
        Add(8);
        if (extended) Add({FW_NORMAL, 0});  // weight, italic and character set
        Text(L"MS Shell Dlg");
    }

    TemplateBuilder& Item(int id, const std::wstring& className, const std::wstring& title,
                          const std::vector<BYTE>& data = {}) {
        if (m_words.size() % 2) Add(0);
        const DWORD style = WS_CHILD | WS_VISIBLE;
        if (m_extended) {
            Dword(0);
            Dword(0);
            Dword(style);
        } else {
            Dword(style);
            Dword(0);
        }
        Add({10, 10, 50, 14});
        if (m_extended)
            Dword(static_cast<DWORD>(id));
        else
            Add(static_cast<WORD>(id));
        if (className.empty())
            Add({0xFFFF, kButtonClass});
        else
            Text(className);
        Text(title);
        Add(static_cast<WORD>(data.size()));
        for (std::size_t at = 0; at < data.size(); at += 2)
            Add(static_cast<WORD>(data[at] | data[at + 1] << 8));
        ++m_words[m_countAt];
        return *this;
    }

    void* Get() { return m_words.data(); }

  private:
    void Add(WORD word) { m_words.push_back(word); }
    void Add(std::initializer_list<WORD> words) { m_words.insert(m_words.end(), words); }
    void Dword(DWORD value) { Add({LOWORD(value), HIWORD(value)}); }
    void Text(const std::wstring& text) {
        m_words.insert(m_words.end(), text.begin(), text.end());
        Add(0);
    }

    bool m_extended;
    std::size_t m_countAt = 0;
    std::vector<WORD> m_words;
};

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
    for (const bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "DLGTEMPLATEEX" : "DLGTEMPLATE");
        TemplateBuilder builder(extended);
        builder.Item(IDOK, L"", L"OK")
            .Item(20, L"Static", L"with data", {1, 2, 3, 4})
            .Item(IDCANCEL, L"Button", L"Cancel")
            .Item(21, L"", L"last");
        HideTemplateItems(builder.Get(), {IDOK, IDCANCEL});

        HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                                 static_cast<const DLGTEMPLATE*>(builder.Get()),
                                                 nullptr, NoDialogProc, 0);
        ASSERT_NE(nullptr, dialog);
        for (const auto& [id, title, shown] :
             {std::tuple{IDOK, L"OK", false}, std::tuple{20, L"with data", true},
              std::tuple{IDCANCEL, L"Cancel", false}, std::tuple{21, L"last", true}}) {
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
