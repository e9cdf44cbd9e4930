// bFolder: Choosing a folder with the system's folder dialog.
#pragma once
#include <functional>
#include <optional>
#include <string>

// Shows the folder dialog (file-system folders only) with the prompt as its title, owned by
// the active window; the chosen folder's path, or the empty text when the user cancels.
std::wstring BrowseForFolder(const std::wstring& prompt);

// True when the folder holds the game's launcher camelot.exe.
bool IsGameFolder(const std::wstring& folder);

// The game folder the user picks: the prompt "Bitte DAoC-Ordner auswählen"; a folder without
// camelot.exe is refused with the message that `refusal` gives for its path, and nothing is
// returned then. The empty text when the user cancels.
std::optional<std::wstring> PickGameFolder(const std::function<void(const std::wstring& path)>& refusal);
