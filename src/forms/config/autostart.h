// AutostartBas: Starting the program with Windows: a shortcut in the user's Startup folder. The shortcut
// itself is the only record of the choice.
#pragma once
#include <string>

// The path of a shell special folder (a CSIDL value); empty when it cannot be determined.
std::wstring SpecialFolderPath(int folderId);
// The user's Startup folder, ending in one backslash; empty when it cannot be determined.
std::wstring StartupFolder();
// <Startup folder>\Corvalink.lnk; empty without a Startup folder.
std::wstring AutostartShortcutPath();

// Writes a shell link; empty arguments, description, working directory or icon file stay
// unset (the icon then is the target's own first). False when the link could not be written.
bool CreateShortcut(const std::wstring& linkFile, const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& description, const std::wstring& workingDirectory,
                    const std::wstring& iconFile = {});

// The shortcut to this program in the Startup folder; false when it could not be written.
bool CreateAutostart();
// Deletes the shortcut; a missing one is no failure.
void RemoveAutostart();
bool AutostartExists();
