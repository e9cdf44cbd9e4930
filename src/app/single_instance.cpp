#include "app/single_instance.h"

#include "base/handles.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

namespace {

std::uint64_t Hash(std::uint64_t hash, const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<const unsigned char*>(data)[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

// The identity of the file's folder (volume and file index), the same however the path is
// spelled (a drive-letter alias, a short name, another case). False when it cannot be had.
bool FolderIdentity(const std::wstring& file, BY_HANDLE_FILE_INFORMATION& info) {
    const size_t slash = file.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return false;
    const std::wstring folder = file.substr(0, slash + 1);
    const base::ScopedFile handle(CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && GetFileInformationByHandle(handle.get(), &info) != FALSE;
}

}  // namespace

std::wstring SingleInstanceName(const std::wstring& settingsFile) {
    // Object names cannot hold backslashes: the lock is named by a hash of the folder's
    // identity and the file's upper-cased name (of the whole upper-cased path where the
    // identity cannot be had).
    const size_t slash = settingsFile.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? settingsFile : settingsFile.substr(slash + 1);
    std::uint64_t hash = 1469598103934665603ull;
    BY_HANDLE_FILE_INFORMATION info{};
    if (FolderIdentity(settingsFile, info)) {
        hash = Hash(hash, &info.dwVolumeSerialNumber, sizeof info.dwVolumeSerialNumber);
        hash = Hash(hash, &info.nFileIndexHigh, sizeof info.nFileIndexHigh);
        hash = Hash(hash, &info.nFileIndexLow, sizeof info.nFileIndexLow);
    } else {
        name = settingsFile;
    }
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    hash = Hash(hash, name.data(), name.size() * sizeof(wchar_t));
    wchar_t lockName[64];
    swprintf(lockName, 64, L"Local\\Corvalink-%016llx", static_cast<unsigned long long>(hash));
    return lockName;
}

bool ClaimSingleInstance(const std::wstring& settingsFile) {
    HANDLE lock = CreateMutexW(nullptr, FALSE, SingleInstanceName(settingsFile).c_str());
    if (!lock) return true;  // no lock to be had: better to run than to refuse
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(lock);
        return false;
    }
    return true;  // held until the process ends
}
