// The helpers that drive the tray: its hidden window, the icon's mouse notifications, the tips
// the shell shows, and the popup menu chosen from the keyboard.
#include "support/automation.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <thread>

#include "base/handles.h"
#include "base/product.h"
#include "support/remote_memory.h"
#include "tray/systray_icon.h"
#include "tray/tray_menu.h"

namespace uia {

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

}  // namespace uia
