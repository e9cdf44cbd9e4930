// The running games at one's fingertips: the next or previous one to the front, all minimised
// or restored, all asked to close, and the games behind the one in front at a lower priority.
// Only games that this program's logins brought up are touched (running_games.h).
#pragma once
#include <windows.h>

#include <vector>

#include "login/running_games.h"

// The game after (`step` 1) or before (-1) the one in front, in the order of `games`, round
// the end; the first (or last) when none of them is in front. Null without games.
HWND GameAfter(const std::vector<RunningGame>& games, HWND front, int step);
// Brings the next or previous running game to the front (after the one in front or last in
// front).
void BringNextGameToFront(int step);
void MinimizeGames();
void RestoreGames();
// Asks each running game to close, as its close box would; no process is ended.
void AskGamesToClose();
// With `lower`, every running game but the one in front (or last in front) runs below normal
// priority, and that one at normal; without, every one at normal. While a login is under way, all stay at normal: a
// login is never slowed.
void KeepGamePriorities(bool lower);
