// Detects a second start of the program while the first still runs.
#pragma once
#include <string>

// Takes the program's named lock for the rest of the process's life. False when another
// running instance holds it. The lock is named after the settings file, so that two copies of
// the program never work on one settings file at once.
bool ClaimSingleInstance(const std::wstring& settingsFile);

// The lock's name for the settings file: the same however the file's path is spelled. A second
// start hands its command to the Corvalink of this name.
std::wstring SingleInstanceName(const std::wstring& settingsFile);
