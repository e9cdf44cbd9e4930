#include "store/file_check.h"

#include <windows.h>

#include "store/ansi.h"

bool FileExists(const std::wstring& path) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(ToAnsi(path).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}
