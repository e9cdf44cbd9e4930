#include "store/backups.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <vector>

namespace {

// Backup copies are named "<settings file>.<yyyymmdd>-<hhmmss>-<mmm>.bak" ("Corvalink.dat.
// 20261210-154400-123.bak"): the newest is the last in name order.
constexpr size_t kStampLength = 19;  // "20261210-154400-123"

// The stamp of a time, and the time of a stamp (nothing for one that is not a stamp).
std::wstring StampOf(const SYSTEMTIME& t) {
    wchar_t stamp[40];
    swprintf(stamp, 40, L"%04u%02u%02u-%02u%02u%02u-%03u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
             t.wMilliseconds);
    return stamp;
}
std::optional<SYSTEMTIME> TimeOf(const std::wstring& stamp) {
    SYSTEMTIME t{};
    FILETIME checked{};
    if (stamp.size() != kStampLength || stamp.find_first_not_of(L"0123456789-") != std::wstring::npos ||
        swscanf(stamp.c_str(), L"%4hu%2hu%2hu-%2hu%2hu%2hu-%3hu", &t.wYear, &t.wMonth, &t.wDay, &t.wHour, &t.wMinute,
                &t.wSecond, &t.wMilliseconds) != 7 ||
        !SystemTimeToFileTime(&t, &checked))
        return std::nullopt;
    return t;
}

// The backup copies of the file beside it, oldest (first in name order) first.
std::vector<std::wstring> BackupNames(const std::wstring& file) {
    const size_t folderEnd = file.find_last_of(L"\\/");
    const std::wstring name = folderEnd == std::wstring::npos ? file : file.substr(folderEnd + 1);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((file + L".*.bak").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring candidate = found.cFileName;
        if (candidate.size() == name.size() + 1 + kStampLength + 4 &&
            TimeOf(candidate.substr(name.size() + 1, kStampLength)))
            names.push_back(candidate);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// The name of this run's backup copy: stamped with the time now, or, when the clock stands
// before the newest copy's stamp (set back, or a copy named for a later date), a millisecond
// after that stamp, so that this copy is always the newest.
std::wstring BackupName(const std::wstring& file) {
    SYSTEMTIME stamp{};
    GetLocalTime(&stamp);
    const std::vector<std::wstring> existing = BackupNames(file);
    for (;;) {
        std::wstring name = file + L"." + StampOf(stamp) + L".bak";
        const std::wstring shortName = name.substr(name.find_last_of(L"\\/") + 1);
        const bool newest = existing.empty() || shortName > existing.back();
        if (newest && GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES) return name;
        // One millisecond after the later of the stamp tried and the newest copy's.
        SYSTEMTIME after = stamp;
        if (!newest) {
            const std::wstring& last = existing.back();
            after = *TimeOf(last.substr(last.size() - 4 - kStampLength, kStampLength));
        }
        FILETIME time{};
        SystemTimeToFileTime(&after, &time);
        ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
        ticks.QuadPart += 10000;  // 1 ms in 100 ns steps
        time = {ticks.LowPart, ticks.HighPart};
        FileTimeToSystemTime(&time, &stamp);
    }
}

// Removes all but the newest `keep` backup copies of the file.
void PruneBackups(const std::wstring& file, int keep) {
    const size_t folderEnd = file.find_last_of(L"\\/");
    const std::wstring folder = folderEnd == std::wstring::npos ? L"" : file.substr(0, folderEnd + 1);
    const std::vector<std::wstring> names = BackupNames(file);
    for (size_t i = 0; i + static_cast<size_t>(keep) < names.size(); ++i) DeleteFileW((folder + names[i]).c_str());
}
