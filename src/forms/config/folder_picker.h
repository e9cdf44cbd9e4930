// bFolder: Choosing a folder with the system's folder dialog.
#pragma once
#include <string>

// Shows the folder dialog (file-system folders only) with the prompt as its title, owned by
// the active window; the chosen folder's path, or the empty text when the user cancels.
std::wstring BrowseForFolder(const std::wstring& prompt);

// True when the folder holds the game's launcher camelot.exe.
bool IsGameFolder(const std::wstring& folder);
