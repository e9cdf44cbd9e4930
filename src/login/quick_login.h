// One QuickLogin, from the stored entry to the logged-in game.
#pragma once
#include <string>

// Carries out an unscrambled QuickLogin entry: checks that its client, server and fields are
// known (saying what is missing otherwise), writes the quick-start entry into the client's
// user.dat and drives the game's login. The QuickLogin items of the tray menu are disabled
// while it runs and enabled again however it ends.
void RunQuickLogin(const std::wstring& entry);
