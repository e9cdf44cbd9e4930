#include "support/automation.h"

#include "tray/tray_menu.h"
#include "version.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <utility>

#include "base/handles.h"
#include "base/product.h"
#include "store/ansi.h"
#include "store/scrambled_form.h"
#include "store/simple_crypt.h"
#include "tray/systray_icon.h"

namespace uia {

namespace {

std::wstring EnvVar(const wchar_t* name) {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

void CopyOrThrow(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy a file of the built program folder");
}

}  // namespace

// A Unix path from the environment, as Windows programs under Wine see it.
static std::wstring UnixPathFromEnv(const wchar_t* name) {
    std::wstring unix = EnvVar(name);
    if (unix.empty()) throw std::runtime_error("a path of the build is missing from the environment");
    for (wchar_t& c : unix)
        if (c == L'/') c = L'\\';
    return L"Z:" + unix;
}

std::wstring BuiltProgramDir() { return UnixPathFromEnv(L"CORVALINK_PROGRAM_DIR"); }

std::wstring AboutTitle() {
    return L"Corvalink :: Version "
           L"" CORVALINK_VERSION_TEXT;
}
std::wstring BuiltGameDouble() { return UnixPathFromEnv(L"CORVALINK_GAME_DOUBLE"); }

bool StaysTrue(const std::function<bool()>& condition, std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        if (!condition()) return false;
        Sleep(20);
    } while (std::chrono::steady_clock::now() < end);
    return condition();
}

std::wstring StartupFolderGuard::Shortcut() {
    wchar_t path[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\" + kProductName + L".lnk";
}

StartupFolderGuard::StartupFolderGuard() {
    if (GetFileAttributesW(Shortcut().c_str()) != INVALID_FILE_ATTRIBUTES)
        saved_ = testing_support::ReadBytes(Shortcut());
}

StartupFolderGuard::~StartupFolderGuard() {
    if (saved_)
        testing_support::WriteBytes(Shortcut(), *saved_);
    else
        DeleteFileW(Shortcut().c_str());
}

std::wstring RigFolder() { return UnixPathFromEnv(L"CORVALINK_RIG"); }

std::wstring RigRamDisk() {
    const std::wstring rig = RigFolder();
    if (GetFileAttributesW((rig + L"\\ramdisk.mounted").c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return rig + L"\\ramdisk";
}

FullDisk::FullDisk(const std::wstring& folder, int pagesLeft) : filler_(folder + L"\\filler.bin") {
    base::ScopedFile fill(CreateFileW(filler_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!fill) return;
    std::string block(65536, 'x');
    for (size_t size = block.size(); size > 0; size /= 2) {
        DWORD written = 0;
        while (WriteFile(fill.get(), block.data(), static_cast<DWORD>(size), &written, nullptr) && written == size) {
        }
    }
    if (pagesLeft > 0) {
        LARGE_INTEGER end{};
        GetFileSizeEx(fill.get(), &end);
        end.QuadPart = std::max<LONGLONG>(0, end.QuadPart / 4096 * 4096 - 4096LL * pagesLeft);
        SetFilePointerEx(fill.get(), end, nullptr, FILE_BEGIN);
        SetEndOfFile(fill.get());
    }
}

FullDisk::~FullDisk() { DeleteFileW(filler_.c_str()); }

std::vector<std::wstring> BuiltLanguageFiles() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((BuiltProgramDir() + L"\\Corvalink*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

ProgramFolder::ProgramFolder(Parts parts, const std::wstring& parent, const std::wstring& name) : dir_(parent, name) {
    const std::wstring built = BuiltProgramDir();
    CopyOrThrow(built + L"\\Corvalink.exe", Exe());
    if (parts.companion) CopyOrThrow(built + L"\\Modal.exe", File(L"Modal.exe"));
    if (parts.languageFile)
        for (const std::wstring& language : BuiltLanguageFiles()) CopyOrThrow(built + L"\\" + language, File(language));
}

void ProgramFolder::Write(const std::wstring& name, const std::string& ansiBytes) const {
    testing_support::WriteBytes(File(name), ansiBytes);
}

std::string ProgramFolder::Read(const std::wstring& name) const { return testing_support::ReadBytes(File(name)); }

bool ProgramFolder::Has(const std::wstring& name) const {
    return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ProgramFolder::Backups() const {
    return testing_support::FilesMatching(File(L"Corvalink.dat.*.bak"));
}

HWND FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void FocusControl(HWND dialog, HWND control) {
    SendMessageTimeoutW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE, SMTO_ABORTIFHUNG, 2000,
                        nullptr);
}

namespace {

// Waits until the window's program has handled what was posted to it (a sent message alone
// would be answered before the posted ones): until it waits for input again with nothing left.
void Settle(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        Sleep(20);
        WaitForInputIdle(process, 2000);
        CloseHandle(process);
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

}  // namespace

void PressKey(HWND window, WORD key) {
    HWND focus = FocusIn(window);
    if (!focus) focus = window;
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Settle(window);
}

void TypeText(HWND window, const std::wstring& text) {
    HWND focus = FocusIn(window);
    if (!focus) focus = window;
    for (wchar_t c : text) PostMessageW(focus, WM_CHAR, c, 1);
    Settle(window);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
}

RunningProgram RunningProgram::Start(const ProgramFolder& folder, const std::wstring& arguments) {
    return StartExe(folder.Exe(), arguments);
}

RunningProgram RunningProgram::StartExe(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    const std::wstring dir = exe.substr(0, exe.find_last_of(L'\\'));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &info))
        throw std::runtime_error("cannot start a program");
    CloseHandle(info.hThread);
    return RunningProgram(info.hProcess, info.dwProcessId);
}

RunningProgram RunningProgram::StartCommandLine(std::wstring commandLine, const std::wstring& dir) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &info))
        throw std::runtime_error("cannot start a program");
    CloseHandle(info.hThread);
    return RunningProgram(info.hProcess, info.dwProcessId);
}

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), pid_(other.pid_) {}

RunningProgram::~RunningProgram() {
    if (!process_) return;
    Kill();
    CloseHandle(process_);
}

bool RunningProgram::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds bound) const {
    if (WaitForSingleObject(process_, static_cast<DWORD>(bound.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void RunningProgram::Kill() {
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
}

namespace {

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

// A window procedure's calling convention, which a lambda lacks in the 32-bit build.
BOOL CALLBACK CollectWindowOf(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->pid) search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsOf(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindWindowOf(DWORD pid, const wchar_t* windowClass, const wchar_t* title) {
    for (HWND hwnd : WindowsOf(pid)) {
        if (windowClass && ClassOf(hwnd) != windowClass) continue;
        if (title && TextOf(hwnd) != title) continue;
        return hwnd;
    }
    return nullptr;
}

HWND WaitForWindow(DWORD pid, const wchar_t* windowClass, const wchar_t* title, std::chrono::milliseconds bound) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowOf(pid, windowClass, title)) != nullptr; }, bound);
    return found;
}

HWND WaitForMessageBox(DWORD pid, std::chrono::milliseconds bound) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : WindowsOf(pid))
                if (ClassOf(hwnd) == L"#32770" && IsWindowVisible(hwnd) && GetDlgItem(hwnd, 0xFFFF)) {
                    found = hwnd;
                    return true;
                }
            return false;
        },
        bound);
    return found;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.title = TextOf(box);
    info.text = TextOf(GetDlgItem(box, 0xFFFF));
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (ClassOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
            SendMessageW(child, STM_GETICON, 0, 0) != 0)
            info.hasIcon = true;
    }
    return info;
}

MessageBoxInfo AnswerMessageBox(DWORD pid, int button, std::chrono::milliseconds bound) {
    HWND box = WaitForMessageBox(pid, bound);
    if (!box) return {L"", L"<no message box>", false};
    MessageBoxInfo info = ReadMessageBox(box);
    PressButton(box, button);
    WaitUntil([&] { return !IsWindow(box); });
    return info;
}

void PressButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    // Sent, so that what the test does next comes after the press; a press that opens a modal
    // box does not return until the box closes, so the wait is bounded.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button),
                        SMTO_NORMAL, 500, &ignored);
}

std::wstring TextOf(HWND window) {
    if (!window) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    text.resize(copied);
    return text;
}

void SetTextOf(HWND control, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                        &result);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

namespace {

// A block of memory in the process that owns `window`, freed with the object.
class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

LRESULT SendWithin(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, 3000, &result);
    return static_cast<LRESULT>(result);
}

// Items of a list box or combo box: the system carries their texts between processes.
std::vector<std::wstring> ItemsOf(HWND control, UINT count, UINT length, UINT text) {
    std::vector<std::wstring> items;
    const LRESULT n = SendWithin(control, count, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT size = SendWithin(control, length, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<size_t>(size) + 1, L'\0');
        SendWithin(control, text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(size));
        items.push_back(item);
    }
    return items;
}

}  // namespace

std::vector<std::vector<std::wstring>> ListViewRowsOf(HWND listView, int columns) {
    std::vector<std::vector<std::wstring>> rows;
    const LRESULT count = SendWithin(listView, LVM_GETITEMCOUNT, 0, 0);
    constexpr size_t kChars = 512;
    RemoteBlock block(listView, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    for (LRESULT row = 0; row < count; ++row) {
        std::vector<std::wstring> texts;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(block.at(sizeof(LVITEMW)));
            item.cchTextMax = kChars;
            block.Write(0, &item, sizeof(item));
            const LRESULT n =
                SendWithin(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.at(0)));
            std::wstring text(static_cast<size_t>(n), L'\0');
            block.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
            texts.push_back(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

void ListViewSelectIn(HWND listView, int index) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    RemoteBlock block(listView, sizeof(item));
    block.Write(0, &item, sizeof(item));
    SendWithin(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.at(0)));
}

bool ListViewTicked(HWND listView, int index) {
    return (SendWithin(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK) &
            LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

bool ListViewCheckIn(HWND listView, int index, bool checked) {
    if (ListViewTicked(listView, index) == checked) return true;
    // As a user does: the row into view, and a click on its tick box, found by asking the list
    // what lies under points along the row's left end.
    SendWithin(listView, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RemoteBlock block(listView, sizeof(LVHITTESTINFO));
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    block.Write(0, &bounds, sizeof(bounds));
    SendWithin(listView, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.at(0)));
    block.Read(0, &bounds, sizeof(bounds));
    const int y = (bounds.top + bounds.bottom) / 2;
    for (int x = std::max(0, static_cast<int>(bounds.left)); x < bounds.left + 64; ++x) {
        LVHITTESTINFO hit{};
        hit.pt = {x, y};
        block.Write(0, &hit, sizeof(hit));
        SendWithin(listView, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(block.at(0)));
        block.Read(0, &hit, sizeof(hit));
        if (hit.iItem != index || (hit.flags & LVHT_ONITEM) != LVHT_ONITEMSTATEICON) continue;
        PostMessageW(listView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageW(listView, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        return WaitUntil([&] { return ListViewTicked(listView, index) == checked; });
    }
    return false;
}

bool PressOnXKeyboard(HWND window, const std::wstring& keys) {
    SetForegroundWindow(window);
    Sleep(300);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring line = L"Z:\\usr\\bin\\xdotool key " + keys;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Sleep(500);
    return true;
}

void ListViewClickCell(HWND listView, int index, int column) {
    SendWithin(listView, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    RemoteBlock block(listView, sizeof(RECT));
    RECT cell{LVIR_BOUNDS, column, 0, 0};
    block.Write(0, &cell, sizeof(cell));
    SendWithin(listView, LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.at(0)));
    block.Read(0, &cell, sizeof(cell));
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    PostMessageW(listView, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(listView, WM_LBUTTONUP, 0, at);
    Settle(listView);
}

std::vector<std::wstring> ComboItemsOf(HWND combo) {
    return ItemsOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::wstring> ListBoxItemsOf(HWND list) { return ItemsOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }

HWND WaitForTrayWindow(DWORD pid, std::chrono::milliseconds bound) {
    // The hidden one: a message box of the program has the same class and title.
    HWND tray = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : WindowsOf(pid))
                if (!IsWindowVisible(w) && ClassOf(w) == L"#32770" && TextOf(w) == kProductName) tray = w;
            return tray != nullptr;
        },
        bound);
    return tray;
}

void TrayMouse(HWND trayWindow, UINT mouseMessage) {
    PostMessageW(trayWindow, kTrayCallbackMessage, kTrayIconId, mouseMessage);
}

bool CloseAndWait(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(window); });
}

HWND OpenConfigWindow(DWORD pid, const wchar_t* title) {
    HWND tray = WaitForTrayWindow(pid);
    if (!tray) return nullptr;
    TrayMouse(tray, WM_LBUTTONDBLCLK);
    return WaitForWindow(pid, L"#32770", title);
}

bool TrayIconExists(HWND trayWindow) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = trayWindow;
    data.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

namespace {

// TTTOOLINFOW as the 64-bit shell lays it out, whatever this program's own width: the tool
// is read in the shell's memory.
struct ShellToolInfo {
    UINT cbSize;
    UINT uFlags;
    UINT64 hwnd;
    UINT64 uId;
    RECT rect;
    UINT64 hinst;
    UINT64 lpszText;
    UINT64 lParam;
    UINT64 lpReserved;
};
static_assert(sizeof(ShellToolInfo) == 72);

struct ShellTooltips {
    DWORD shell = 0;
    std::vector<HWND> tooltips;
};

BOOL CALLBACK CollectShellTooltip(HWND window, LPARAM param) {
    auto& found = *reinterpret_cast<ShellTooltips*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == found.shell && ClassOf(window) == TOOLTIPS_CLASSW) found.tooltips.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<std::wstring> TrayTips() {
    // The shell's tooltips, one tool for each icon; the texts live in the shell's process.
    ShellTooltips search;
    GetWindowThreadProcessId(FindWindowW(L"Shell_TrayWnd", nullptr), &search.shell);
    EnumWindows(CollectShellTooltip, reinterpret_cast<LPARAM>(&search));
    std::vector<std::wstring> tips;
    constexpr size_t kChars = 256;
    for (HWND tooltip : search.tooltips) {
        RemoteBlock block(tooltip, sizeof(ShellToolInfo) + kChars * sizeof(wchar_t));
        const LRESULT tools = SendWithin(tooltip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < tools; ++i) {
            ShellToolInfo tool{};
            tool.cbSize = sizeof(tool);
            tool.lpszText = reinterpret_cast<UINT_PTR>(block.at(sizeof(ShellToolInfo)));
            block.Write(0, &tool, sizeof(tool));
            const std::wstring none(kChars, L'\0');
            block.Write(sizeof(ShellToolInfo), none.data(), none.size() * sizeof(wchar_t));
            if (!SendWithin(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(block.at(0))))
                continue;
            std::wstring text(kChars, L'\0');
            block.Read(sizeof(ShellToolInfo), text.data(), text.size() * sizeof(wchar_t));
            text.resize(text.find(L'\0'));
            tips.push_back(text);
        }
    }
    return tips;
}

::testing::AssertionResult TrayTipBecomes(const std::wstring& tip, std::chrono::milliseconds bound) {
    std::vector<std::wstring> seen;
    if (WaitUntil(
            [&] {
                seen = TrayTips();
                return std::find(seen.begin(), seen.end(), tip) != seen.end();
            },
            bound))
        return ::testing::AssertionSuccess();
    std::string shown;
    for (const std::wstring& s : seen) shown += " \"" + ToUtf8(s) + "\"";
    return ::testing::AssertionFailure() << "no icon's tip became \"" << ToUtf8(tip) << "\"; the tips:" << shown;
}

bool UseTrayMenu(DWORD pid, const std::vector<WORD>& keys) {
    HWND tray = WaitForTrayWindow(pid);
    if (!tray) return false;
    TrayMouse(tray, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    // Menu windows are reused: look for the one that is shown.
    WaitUntil([&] {
        for (HWND w : WindowsOf(pid))
            if (ClassOf(w) == L"#32768" && IsWindowVisible(w)) menu = w;
        return menu != nullptr;
    });
    if (!menu) return false;
    for (WORD key : keys) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
        PostMessageW(menu, WM_KEYUP, key, 0xC0000000);
    }
    return true;
}

namespace {

TrayMenuState StateOf(const ShownTrayMenu& shown) {
    TrayMenuState state;
    state.quickLoginEntries.resize(shown.quickLogins, L"Char,LYONESSE,Albion");
    state.teamNames.resize(shown.teams);
    state.quickLoginsEnabled = !shown.running;
    state.runInProgress = shown.running;
    state.runningGames.resize(shown.runningGames);
    state.runningWindows.resize(shown.runningGames);
    return state;
}

// Down moves over every item but the separators, greyed ones included; in a menu just opened
// the first Down selects the first item, in a submenu Right selects its first.
bool KeysTo(const std::vector<TrayMenuItem>& items, UINT command, bool top, std::vector<WORD>& keys) {
    size_t downs = top ? 1 : 0;
    for (const TrayMenuItem& item : items) {
        if (item.id == tray_menu::kSeparator) continue;
        std::vector<WORD> inner{VK_RIGHT};
        if (item.id == command || KeysTo(item.items, command, false, inner)) {
            keys.insert(keys.end(), downs, VK_DOWN);
            if (item.id != command) keys.insert(keys.end(), inner.begin(), inner.end());
            return true;
        }
        ++downs;
    }
    return false;
}

// Presses the keys in the tray menu and returns once the menu is closed.
bool PressInTrayMenu(DWORD pid, const std::vector<WORD>& keys) {
    if (!UseTrayMenu(pid, keys)) return false;
    // The menu is closed before the next one opens: menu windows are reused, and keys meant for
    // the next menu must not reach this one.
    return WaitUntil([&] {
        for (HWND w : WindowsOf(pid))
            if (ClassOf(w) == L"#32768" && IsWindowVisible(w)) return false;
        return true;
    });
}

}  // namespace

std::vector<WORD> TrayMenuKeys(const ShownTrayMenu& shown, UINT command) {
    std::vector<WORD> keys;
    KeysTo(TrayMenuItems(StateOf(shown)), command, true, keys);
    return keys;
}

bool PickTrayCommand(DWORD pid, const ShownTrayMenu& shown, UINT command) {
    std::vector<WORD> keys = TrayMenuKeys(shown, command);
    if (keys.empty()) return false;
    keys.push_back(VK_RETURN);
    return PressInTrayMenu(pid, keys);
}

bool PickInRunningGames(DWORD pid, size_t index, const ShownTrayMenu& shown) {
    const UINT command = index < shown.runningGames
                             ? ListCommand(StateOf(shown), {TrayListItem::Kind::kRunningGame, index})
                             : (index == shown.runningGames ? tray_menu::popupmenue_places_remember
                                                            : tray_menu::popupmenue_places_forget);
    return PickTrayCommand(pid, shown, command);
}

bool PickQuickLogin(DWORD pid, size_t index, ShownTrayMenu shown) {
    shown.quickLogins = std::max(shown.quickLogins, index + 1);
    return PickTrayCommand(pid, shown, ListCommand(StateOf(shown), {TrayListItem::Kind::kQuickLogin, index}));
}

bool PickTeam(DWORD pid, size_t index, const ShownTrayMenu& shown) {
    return PickTrayCommand(pid, shown, ListCommand(StateOf(shown), {TrayListItem::Kind::kTeam, index}));
}

std::string QuickLoginLine(int key, const std::wstring& text) {
    return std::to_string(key) + "=" + Scrambled(text) + "\r\n";
}

std::string Scrambled(const std::wstring& text) { return ToAnsi(EncodeScrambled(text)); }

std::string AccountLine(const std::wstring& login, const std::wstring& password) {
    return ToAnsi(CryptText(login, L"")) + "=" + ToAnsi(CryptText(password, L"")) + "\r\n";
}

std::string Ansi(const std::wstring& text) { return ToAnsi(text); }
std::wstring FromAnsiBytes(const std::string& bytes) { return FromAnsi(bytes); }

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace uia
