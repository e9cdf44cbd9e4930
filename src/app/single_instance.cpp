#include "app/single_instance.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

bool ClaimSingleInstance(const std::wstring& settingsFile) {
    // Object names cannot hold backslashes: name the lock by a hash of the upper-cased path.
    std::wstring upper = settingsFile;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    std::uint64_t hash = 1469598103934665603ull;
    for (wchar_t c : upper) {
        hash ^= static_cast<std::uint16_t>(c);
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Corvalink-%016llx", static_cast<unsigned long long>(hash));
    HANDLE lock = CreateMutexW(nullptr, FALSE, name);
    if (!lock) return true;  // no lock to be had: better to run than to refuse
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(lock);
        return false;
    }
    return true;  // held until the process ends
}
