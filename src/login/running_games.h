// The games that this program's logins brought up: each one's window, process and QuickLogin.
// Only these windows are ever renamed, placed or brought to the front; a game is known by
// its window and process, not by a title that it or this program may change.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "store/settings.h"

// The window's title as a login gives it: "<character> – <server>/<realm>".
std::wstring GameWindowCaption(const QuickLoginEntry& entry);

struct RunningGame {
    HWND window = nullptr;
    DWORD process = 0;
    std::wstring entry;    // the QuickLogin's whole entry (unscrambled)
    std::wstring caption;  // the title the login gave the window; empty: the game's own
    // The game as lists show it, whatever its window's title now: "<character> – <server>/<realm>".
    std::wstring Name() const { return GameWindowCaption(QuickLoginEntry::FromText(entry)); }
};

// What a login does to the game window it brings up, once the window is there.
struct GameWindowCare {
    std::wstring entry;                // the QuickLogin, for the list of running games
    std::wstring caption;              // the window's new title; empty: the game's own stays
    std::optional<WindowPlace> place;  // where the window goes; nothing: where the game puts it
};

// Takes care of a game window a login has just seen come up, and lists it as running.
void TakeCareOfGameWindow(HWND window, const GameWindowCare& care);
// The games still running, oldest first (closed ones are dropped).
std::vector<RunningGame> RunningGames();
// Gives the title back to each running game window that a login titled and that has been
// titled anew since (the game titles its window itself when it enters the world).
void KeepGameCaptions();

// The window to the front, restored first when it is minimised.
void BringGameToFront(HWND window);
// Remembers the running game in front, if one is: the tray's own window takes the front while
// its menu is open, and the game the player was at still counts as the one in front.
void NoteGameInFront();
// The running game in front, or the one last in front; null when none of them was.
HWND GameInFront();
// Where the window stands now, with its monitor; nothing for a window that is gone.
std::optional<WindowPlace> PlaceOf(HWND window);
