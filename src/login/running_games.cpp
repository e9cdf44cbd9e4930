#include "login/running_games.h"

#include <algorithm>

#include "login/game_windows.h"

namespace {

std::vector<RunningGame>& Games() {
    static std::vector<RunningGame> games;
    return games;
}

HWND& LastInFront() {
    static HWND window = nullptr;
    return window;
}

bool StillRuns(const RunningGame& game) {
    DWORD process = 0;
    return IsWindow(game.window) && GetWindowThreadProcessId(game.window, &process) && process == game.process;
}

struct MonitorSearch {
    std::wstring name;
    HMONITOR found = nullptr;
};

BOOL CALLBACK FindMonitorByName(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& search = *reinterpret_cast<MonitorSearch*>(data);
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info) && search.name == info.szDevice) {
        search.found = monitor;
        return FALSE;
    }
    return TRUE;
}

// The span [start, start + size) moved, and cut where it must, to lie within [low, high).
void FitSpan(int& start, int& size, int low, int high) {
    size = std::min(size, high - low);
    start = std::clamp(start, low, high - size);
}

// Puts the window at the place: on its monitor when that monitor exists, otherwise on the
// primary one, and always wholly inside the monitor's work area.
void PutAtPlace(HWND window, const WindowPlace& place) {
    MonitorSearch search{place.monitor};
    EnumDisplayMonitors(nullptr, nullptr, FindMonitorByName, reinterpret_cast<LPARAM>(&search));
    HMONITOR monitor = search.found ? search.found : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    int left = place.left, top = place.top, width = place.width, height = place.height;
    if (!search.found) {
        // Its monitor is gone: the window keeps its size, near the primary monitor's corner.
        left = info.rcWork.left + 20;
        top = info.rcWork.top + 20;
    }
    FitSpan(left, width, info.rcWork.left, info.rcWork.right);
    FitSpan(top, height, info.rcWork.top, info.rcWork.bottom);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::wstring GameWindowCaption(const QuickLoginEntry& entry) {
    return entry.character + L" \u2013 " + entry.server + L"/" + entry.realm;
}

void TakeCareOfGameWindow(HWND window, const GameWindowCare& care) {
    if (care.place) PutAtPlace(window, *care.place);
    if (!care.caption.empty()) SetGameText(window, care.caption);
    RunningGame game{window, 0, care.entry, care.caption};
    GetWindowThreadProcessId(window, &game.process);
    std::vector<RunningGame>& games = Games();
    games.erase(std::remove_if(games.begin(), games.end(), [&](const RunningGame& g) { return g.window == window; }),
                games.end());
    games.push_back(std::move(game));
}

std::vector<RunningGame> RunningGames() {
    std::vector<RunningGame>& games = Games();
    games.erase(std::remove_if(games.begin(), games.end(), [](const RunningGame& g) { return !StillRuns(g); }),
                games.end());
    return games;
}

void KeepGameCaptions() {
    for (const RunningGame& game : RunningGames()) {
        if (game.caption.empty()) continue;
        // The title as the window keeps it, read without a message to the game.
        wchar_t title[256] = {};
        InternalGetWindowText(game.window, title, 256);
        if (game.caption != title) SetGameText(game.window, game.caption);
    }
}

void NoteGameInFront() {
    const HWND front = GetForegroundWindow();
    for (const RunningGame& game : RunningGames())
        if (game.window == front) LastInFront() = front;
}

HWND GameInFront() {
    NoteGameInFront();
    for (const RunningGame& game : RunningGames())
        if (game.window == LastInFront()) return LastInFront();
    return nullptr;
}

void BringGameToFront(HWND window) {
    LastInFront() = window;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // The tray's own window holds the foreground when its menu or hotkey acts: it may hand it on.
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

std::optional<WindowPlace> PlaceOf(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    RECT rect{};
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) return std::nullopt;
    // A minimised window keeps the place it comes back to.
    if (IsIconic(window) && GetWindowPlacement(window, &placement)) rect = placement.rcNormalPosition;
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
    return WindowPlace{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, info.szDevice};
}
