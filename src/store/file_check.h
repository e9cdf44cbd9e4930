// FileCheckBas: Existence test for files and folders.
#pragma once
#include <string>

// True when a directory search for the path finds an entry: an existing file, or a folder
// given without trailing backslash. False for the empty path and a path ending in "\";
// wildcards match any entry.
bool FileExists(const std::wstring& path);

// 0 when the file can be read or does not exist; otherwise the system's error (another
// program holds it, access is denied, ...).
unsigned long ProbeReadable(const std::wstring& path);
