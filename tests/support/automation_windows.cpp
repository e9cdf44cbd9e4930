// The helpers that find, read and drive another program's windows: focus and keys, windows of a
// process, message boxes, texts, list views and combo boxes.
#include "support/automation.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>

#include "support/remote_memory.h"

namespace uia {

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

bool CloseAndWait(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitUntil([&] { return !IsWindow(window); });
}

}  // namespace uia
