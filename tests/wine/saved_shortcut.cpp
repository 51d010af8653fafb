#include "tests/wine/saved_shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "base/com_ptr.h"
#include "base/wide_text.h"
#include "settings/shell_link.h"

namespace {

constexpr CLSID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr int kTextSize = 1024;

}  // namespace

std::optional<SavedShortcut> ReadSavedShortcut(const std::string& file) {
    CoInitialize(nullptr);
    IShellLinkW* raw = nullptr;
    if (FAILED(CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkW,
                                reinterpret_cast<void**>(&raw))))
        return std::nullopt;
    OwnedCom<IShellLinkW> link(raw);
    HRESULT result = S_OK;
    OwnedCom<IPersistFile> persist = QueryOwned<IPersistFile>(raw, kIidPersistFile, &result);
    if (FAILED(result) || FAILED(persist.get()->Load(ToWide(file).c_str(), STGM_READ)))
        return std::nullopt;
    SavedShortcut shortcut;
    wchar_t text[kTextSize] = L"";
    if (SUCCEEDED(raw->GetPath(text, MAX_PATH, nullptr, SLGP_UNCPRIORITY)))
        shortcut.target = FromWide(text);
    if (SUCCEEDED(raw->GetArguments(text, kTextSize))) shortcut.arguments = FromWide(text);
    if (SUCCEEDED(raw->GetWorkingDirectory(text, MAX_PATH)))
        shortcut.workingDirectory = FromWide(text);
    if (SUCCEEDED(raw->GetIconLocation(text, MAX_PATH, &shortcut.iconIndex)))
        shortcut.iconLocation = FromWide(text);
    if (SUCCEEDED(raw->GetDescription(text, kTextSize))) shortcut.description = FromWide(text);
    raw->GetShowCmd(&shortcut.showCmd);
    WORD hotkey = 0;
    if (SUCCEEDED(raw->GetHotkey(&hotkey))) shortcut.hotkey = hotkey;
    return shortcut;
}
