#include "store/file_check.h"

#include "base/handles.h"

#include <windows.h>

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    WIN32_FIND_DATAW data;
    return static_cast<bool>(base::ScopedFind(FindFirstFileW(path.c_str(), &data)));
}

unsigned long ProbeReadable(const std::wstring& path) {
    const base::ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return 0;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
}
