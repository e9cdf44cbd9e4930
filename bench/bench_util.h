// Small helpers shared by the benchmarks: clocks, medians and process figures.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Private bytes of a process (the page-file share of its memory), in KiB.
inline double PrivateKiB(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, &counters, sizeof(counters));
    return counters.PagefileUsage / 1024.0;
}

// A small file of the Linux side (through drive Z:), whole; empty when it cannot be read.
inline std::string ReadUnixFile(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) text.append(chunk, read);
    CloseHandle(file);
    return text;
}

// User plus system time that the program at `exePath` has used so far, in
// milliseconds; -1 when no such process runs. Read from /proc/<pid>/stat of its Wine process,
// which Linux keeps in clock ticks of 10 ms: Wine 8's GetProcessTimes on another process gives
// the caller's own times instead. The Wine process is the one whose command line starts with
// the program's full Windows path (started from a Windows program) or its Linux path (started
// from the shell).
inline double UnixCpuMilliseconds(const std::wstring& exePath) {
    // Wine names a Windows path's Linux file (any drive, "..", short names resolved).
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(exePath.c_str()) : nullptr;
    if (!name) return -1;
    const std::string unixPath = name;
    HeapFree(GetProcessHeap(), 0, name);
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(exePath.c_str(), MAX_PATH, full, nullptr);
    const auto narrow = [](const std::wstring& path) {
        std::string text;
        for (wchar_t c : path) text += static_cast<char>(c < 0x80 ? c : '?');
        return text;
    };
    // Wine keeps the path as the starting program gave it, or resolved.
    const std::string windowsPath = narrow(full), givenPath = narrow(exePath);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    double ms = -1;
    do {
        const std::wstring pid = found.cFileName;
        if (pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        const std::string commandLine = ReadUnixFile(L"Z:\\proc\\" + pid + L"\\cmdline");
        const std::string first = commandLine.c_str();
        if (first != unixPath && lstrcmpiA(first.c_str(), windowsPath.c_str()) != 0 &&
            lstrcmpiA(first.c_str(), givenPath.c_str()) != 0)
            continue;
        const std::string stat = ReadUnixFile(L"Z:\\proc\\" + pid + L"\\stat");
        // After the command name in parentheses: state, then ten fields, then utime and stime.
        const size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        unsigned long long utime = 0, stime = 0;
        if (std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                        &stime) == 2)
            ms = (utime + stime) * 10.0;
        break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ms;
}

}  // namespace bench
