#include "login/game_switching.h"

#include <algorithm>

#include "base/handles.h"
#include "login/game_login.h"

HWND GameAfter(const std::vector<RunningGame>& games, HWND front, int step) {
    if (games.empty()) return nullptr;
    const auto count = static_cast<int>(games.size());
    const auto at =
        std::find_if(games.begin(), games.end(), [front](const RunningGame& g) { return g.window == front; });
    if (at == games.end()) return step > 0 ? games.front().window : games.back().window;
    const int index = static_cast<int>(at - games.begin());
    return games[static_cast<size_t>(((index + step) % count + count) % count)].window;
}

void BringNextGameToFront(int step) {
    if (HWND next = GameAfter(RunningGames(), GameInFront(), step)) BringGameToFront(next);
}

void MinimizeGames() {
    for (const RunningGame& game : RunningGames()) ShowWindow(game.window, SW_MINIMIZE);
}

void RestoreGames() {
    for (const RunningGame& game : RunningGames())
        if (IsIconic(game.window)) ShowWindow(game.window, SW_RESTORE);
}

void AskGamesToClose() {
    for (const RunningGame& game : RunningGames()) PostMessageW(game.window, WM_CLOSE, 0, 0);
}

void KeepGamePriorities(bool lower) {
    const bool lowerNow = lower && !GameLoginRunning();
    const HWND front = GameInFront();
    for (const RunningGame& game : RunningGames()) {
        const DWORD wanted = lowerNow && game.window != front ? BELOW_NORMAL_PRIORITY_CLASS : NORMAL_PRIORITY_CLASS;
        const base::ScopedHandle process(
            OpenProcess(PROCESS_SET_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, game.process));
        if (process && GetPriorityClass(process.get()) != wanted) SetPriorityClass(process.get(), wanted);
    }
}
