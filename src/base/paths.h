// The program's own paths, fixed once at start-up.
#pragma once
#include <string>

// Fixes the paths from the running executable's full path: its folder, and the settings and
// language files named after the executable.
void InitPaths(const std::wstring& executablePath);
// InitPaths with the path the system reports for the running executable.
void InitPathsFromModule();

// The folder that holds the executable, without trailing backslash.
const std::wstring& ProgramDir();
// The executable's full path.
const std::wstring& ExecutablePath();
// <program folder>\<executable name>.dat and .lng
const std::wstring& SettingsFile();
const std::wstring& LangFile();
// <program folder>\<executable name>.log: what the logins did, for a player to send
const std::wstring& LogFile();
