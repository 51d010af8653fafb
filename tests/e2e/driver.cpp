#include "tests/e2e/driver.h"

#include <commctrl.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

#include "base/com_ptr.h"
#include "res/resource.h"

namespace driver {
namespace {

constexpr const char* kSettingsKey = "SOFTWARE\\QUADDLE\\nimbrel2";

struct Search {
    DWORD pid;
    std::function<bool(HWND)> match;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if ((search->pid == 0 || pid == search->pid) && search->match(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopWindow(DWORD pid, std::function<bool(HWND)> match) {
    Search search{pid, std::move(match)};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Memory inside another process, for messages whose arguments are pointers.
class RemoteMemory {
  public:
    RemoteMemory(HWND window, SIZE_T size) : m_size(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        m_process =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process)
            m_address =
                VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory() {
        if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process) CloseHandle(m_process);
    }
    bool ok() const { return m_address != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(m_address) + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
        return WriteProcessMemory(m_process, at(offset), data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const {
        return ReadProcessMemory(m_process, at(offset), data, size, nullptr);
    }
    SIZE_T size() const { return m_size; }

  private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    SIZE_T m_size;
};

HKEY OpenSettings(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

std::string OwnFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

Nimbrel::Nimbrel(const std::string& arguments) : Nimbrel(arguments, OwnFolder()) {}

Nimbrel::Nimbrel(const std::string& arguments, const std::string& folder)
    : Nimbrel(Launch{arguments, folder, "", ""}) {}

Nimbrel::Nimbrel(const Launch& launch) {
    const std::string program = launch.folder + "nimbrel.exe";
    std::string commandLine =
        launch.commandName.empty() ? "\"" + program + "\"" : launch.commandName;
    if (!launch.arguments.empty()) commandLine += " " + launch.arguments;
    const std::string directory =
        launch.currentDirectory.empty() ? launch.folder : launch.currentDirectory;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = Wide(commandLine);
    CreateProcessW(Wide(program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   Wide(directory).c_str(), &startup, &m_process);
    if (m_process.hProcess) WaitForInputIdle(m_process.hProcess, 10000);
}

Nimbrel::~Nimbrel() {
    if (!m_process.hProcess) return;
    // The tray Exit removes the icon; killing the process would leave it behind in the shell.
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        if (HWND main =
                FindTopWindow(Pid(), [](HWND window) { return TabControl(window) != nullptr; }))
            PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    }
    if (WaitForSingleObject(m_process.hProcess, 3000) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND Nimbrel::MainWindow(std::chrono::milliseconds timeout) const {
    HWND main = nullptr;
    WaitUntil(
        [&] {
            main = FindTopWindow(Pid(), [](HWND window) {
                return IsWindowVisible(window) && TabControl(window) != nullptr;
            });
            return main != nullptr;
        },
        timeout);
    return main;
}

HWND Nimbrel::DialogWith(int controlId, std::chrono::milliseconds timeout) const {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = FindTopWindow(Pid(), [controlId](HWND window) {
                return IsWindowVisible(window) && GetDlgItem(window, controlId) != nullptr;
            });
            return dialog != nullptr;
        },
        timeout);
    return dialog;
}

HWND Nimbrel::WindowTitled(const std::string& caption, std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopWindow(Pid(), [&caption](HWND window) {
                return IsWindowVisible(window) && Text(window) == caption;
            });
            return found != nullptr;
        },
        timeout);
    return found;
}

HWND Nimbrel::AnyWindow(std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopWindow(Pid(), [](HWND window) { return IsWindowVisible(window); });
            return found != nullptr;
        },
        timeout);
    return found;
}

void Nimbrel::Kill() {
    TerminateProcess(m_process.hProcess, 99);
    WaitForSingleObject(m_process.hProcess, 5000);
}

std::optional<DWORD> Nimbrel::WaitForExit(std::chrono::milliseconds timeout) const {
    if (!m_process.hProcess ||
        WaitForSingleObject(m_process.hProcess, static_cast<DWORD>(timeout.count())) !=
            WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

namespace {

// The instance name for the test's own user, from the account's SID.
std::string InstanceName() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    alignas(TOKEN_USER) BYTE user[512] = {};
    DWORD size = sizeof user;
    GetTokenInformation(token, TokenUser, user, size, &size);
    CloseHandle(token);
    char* sid = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
    const std::string name = std::string("Nimbrel2.Instance.") + (sid ? sid : "");
    LocalFree(sid);
    return name;
}

}  // namespace

// A start of an earlier test may still be ending: the wait takes the lock over from it.
HeldInstanceLock::HeldInstanceLock()
    : m_mutex(CreateMutexW(nullptr, FALSE, Wide("Global\\" + InstanceName()).c_str())) {
    const DWORD waited = m_mutex ? WaitForSingleObject(m_mutex, 10000) : WAIT_FAILED;
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

HeldInstanceLock::~HeldInstanceLock() {
    if (m_held) ReleaseMutex(m_mutex);
    if (m_mutex) CloseHandle(m_mutex);
}

ProgramCopy::ProgramCopy() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    m_folder = std::string(temp) + "nimbrel-copy-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(m_folder.c_str(), nullptr);
    CopyFileA((OwnFolder() + "nimbrel.exe").c_str(), (m_folder + "nimbrel.exe").c_str(), FALSE);
}

ProgramCopy::~ProgramCopy() {
    DeleteFileA((m_folder + "nimbrel.exe").c_str());
    DeleteFileA((m_folder + "german.lng").c_str());
    RemoveDirectoryA(m_folder.c_str());
}

std::string Utf8(const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    std::string utf8(static_cast<std::size_t>(size) * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

namespace {

std::wstring Decode(UINT codePage, const std::string& bytes) {
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), size)));
    return wide;
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
    return Decode(CP_UTF8, utf8);
}

std::string Utf8FromAnsi(const std::string& bytes) {
    return Utf8(Decode(CP_ACP, bytes));
}

std::string Text(HWND window) {
    wchar_t text[1024] = L"";
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

std::string ItemText(HWND dialog, int id) {
    return Text(GetDlgItem(dialog, id));
}

void SetText(HWND window, const std::string& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void Click(HWND parent, int id) {
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(parent, id)));
}

void ClickInto(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

HWND SelectPage(HWND sheet, int index) {
    PostMessageA(sheet, PSM_SETCURSEL, index, 0);
    HWND page = nullptr;
    WaitUntil([&] {
        HWND tabs = TabControl(sheet);
        page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return tabs && SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index && page &&
               IsWindowVisible(page);
    });
    return page;
}

LanguageFile::LanguageFile(const std::string& content) {
    std::ofstream(Path(), std::ios::binary) << content;
}

LanguageFile::~LanguageFile() {
    DeleteFileA(Path().c_str());
}

std::string LanguageFile::Content() const {
    std::ifstream in(Path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string LanguageFile::Path() {
    return OwnFolder() + "german.lng";
}

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

void SendDpiChanged(HWND window, int dpi, const RECT& suggested) {
    RemoteMemory remote(window, sizeof suggested);
    if (!remote.ok() || !remote.Write(0, &suggested, sizeof suggested)) return;
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(remote.at(0)));
}

HWND TabControl(HWND sheet) {
    return FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr);
}

std::vector<std::string> TabCaptions(HWND sheet) {
    HWND tabs = TabControl(sheet);
    std::vector<std::string> captions;
    RemoteMemory remote(tabs, 4096);
    if (!tabs || !remote.ok()) return captions;
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.at(sizeof item));
        item.cchTextMax = 256;
        remote.Write(0, &item, sizeof item);
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.at(0)));
        wchar_t text[256] = L"";
        remote.Read(sizeof item, text, sizeof text - sizeof text[0]);
        captions.push_back(Utf8(text));
    }
    return captions;
}

bool TrayIconShown(HWND owner, UINT id) {
    NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = owner;
    record.uID = id;
    // Modifying nothing succeeds only for an icon the shell holds.
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

namespace {

// The first tool of a tooltip in another process: its rectangle and its text.
bool FirstTool(HWND tooltip, RECT* rect, std::wstring* text) {
    RemoteMemory remote(tooltip, 4096);
    if (!remote.ok()) return false;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = reinterpret_cast<wchar_t*>(remote.at(sizeof tool));
    wchar_t wide[256] = L"";
    remote.Write(0, &tool, sizeof tool);
    remote.Write(sizeof tool, wide, sizeof wide);
    if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(remote.at(0))))
        return false;
    remote.Read(0, &tool, sizeof tool);
    remote.Read(sizeof tool, wide, sizeof wide - sizeof(wchar_t));
    *rect = tool.rect;
    *text = wide;
    return true;
}

}  // namespace

std::vector<TrayIcon> TrayIcons() {
    std::vector<TrayIcon> icons;
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) return icons;
    // Explorer gives every icon a tooltip of its own, owned by the tray, whose tool covers the
    // icon; a hidden icon's tool is empty. Newer tooltips come first in the z-order.
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetWindow(window, GW_OWNER) != tray || ClassName(window) != TOOLTIPS_CLASSA) continue;
        RECT rect{};
        std::wstring wide;
        if (!FirstTool(window, &rect, &wide) || IsRectEmpty(&rect)) continue;
        char text[256] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
        icons.push_back(TrayIcon{tray, rect, text});
    }
    return icons;
}

std::vector<std::string> BalloonTexts() {
    std::vector<std::string> texts;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (ClassName(window) != TOOLTIPS_CLASSA || !IsWindowVisible(window) ||
            !(GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON))
            continue;
        RECT rect{};
        std::wstring text;
        if (FirstTool(window, &rect, &text)) texts.push_back(Utf8(text));
    }
    return texts;
}

void ClickTrayIcon(const TrayIcon& icon, UINT mouseMessage) {
    const LPARAM center =
        MAKELPARAM((icon.rect.left + icon.rect.right) / 2, (icon.rect.top + icon.rect.bottom) / 2);
    PostMessageA(icon.tray, mouseMessage, 0, center);
}

std::optional<TrayIcon> IconInTray(HWND main) {
    const std::size_t iconsBefore = TrayIcons().size();
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!WaitUntil([&] {
            return !IsWindowVisible(main) && TrayIconShown(main, kTrayIconId) &&
                   TrayIcons().size() > iconsBefore;
        }))
        return std::nullopt;
    return TrayIcons().front();
}

HWND OpenMenu() {
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// The menu comes as the right button goes up, as the shell's context-menu event.
HWND OpenTrayMenu(const TrayIcon& icon) {
    ClickTrayIcon(icon, WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = OpenMenu()) != nullptr; });
    return menu;
}

void StartUrlTest(HWND dialog, const std::string& url) {
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), url + "?" + std::to_string(GetTickCount64()));
    Click(dialog, IDC_TEST_URL);
}

namespace startup {

std::string Folder() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_STARTUP, TRUE);
    return std::string(path) + "\\";
}

std::string PathOf(const std::string& name) {
    return Folder() + name;
}

bool Exists(const std::string& name) {
    return GetFileAttributesA(PathOf(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<Shortcut> Read(const std::string& name) {
    return ReadAt(PathOf(name));
}

// The shell opens the shortcut's item list; the plain path beside it Wine keeps in the ANSI
// code page only, so a folder name that page cannot spell comes back mangled from GetPath.
std::string Target(IShellLinkW& link) {
    wchar_t path[MAX_PATH] = L"";
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(link.GetIDList(&items)) && items) {
        const BOOL found = SHGetPathFromIDListW(items, path);
        CoTaskMemFree(items);
        if (found) return Utf8(path);
    }
    link.GetPath(path, MAX_PATH, nullptr, 0);
    return Utf8(path);
}

std::optional<Shortcut> ReadAt(const std::string& path) {
    CoInitialize(nullptr);
    IShellLinkW* raw = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&raw))))
        return std::nullopt;
    const OwnedCom<IShellLinkW> link(raw);
    HRESULT result = S_OK;
    const OwnedCom<IPersistFile> file = QueryOwned<IPersistFile>(raw, IID_IPersistFile, &result);
    if (FAILED(result) || FAILED(file.get()->Load(Wide(path).c_str(), STGM_READ)))
        return std::nullopt;
    Shortcut shortcut;
    wchar_t text[1024] = L"";
    shortcut.target = Target(*raw);
    raw->GetArguments(text, 1024);
    shortcut.arguments = Utf8(text);
    raw->GetDescription(text, 1024);
    shortcut.description = Utf8(text);
    raw->GetWorkingDirectory(text, 1024);
    shortcut.workingDirectory = Utf8(text);
    int index = 0;
    raw->GetIconLocation(text, 1024, &index);
    shortcut.icon = Utf8(text);
    return shortcut;
}

void Remove(const std::string& name) {
    DeleteFileA(PathOf(name).c_str());
}

}  // namespace startup

std::optional<DWORD> RegistryDword(const char* key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<std::string> RegistryString(const char* key, const char* name) {
    char text[20000] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

namespace settings {

void Clear() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

void PutRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void Delete(const char* name) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kSettingsKey, name);
}

void PutDword(const char* name, DWORD value) {
    PutRaw(name, REG_DWORD, &value, sizeof value);
}

void PutString(const char* name, const std::string& text) {
    PutRaw(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void PutPastFirstRun(const std::string& url, bool autoStart, bool redial) {
    PutDword("FirstStart", 1);
    PutDword("AutoStart", autoStart);
    PutDword("Redial", redial);
    PutDword("FirstTime", 0);
    PutString("URL1", url);
}

bool KeyExists() {
    HKEY key = OpenSettings(KEY_READ);
    if (key) RegCloseKey(key);
    return key != nullptr;
}

std::optional<DWORD> Dword(const char* name) {
    return RegistryDword(kSettingsKey, name);
}

std::optional<std::string> String(const char* name) {
    return RegistryString(kSettingsKey, name);
}

}  // namespace settings

namespace userAgent {

constexpr const char* kPostPlatformKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";

void RemoveToken() {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kPostPlatformKey, "Quaddle-K-A");
}

bool TokenExists() {
    return RegGetValueA(HKEY_LOCAL_MACHINE, kPostPlatformKey, "Quaddle-K-A", RRF_RT_REG_SZ, nullptr,
                        nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace userAgent
}  // namespace driver
