// Keeps one core busy for exactly 2 s of wall time, then idles 2 s and ends: a process whose
// processor time is known, to check how the benchmarks measure another process's.
#include <windows.h>

int wmain() {
    const ULONGLONG end = GetTickCount64() + 2000;
    volatile unsigned long long n = 0;
    while (GetTickCount64() < end) n = n + 1;
    Sleep(2000);
    return 0;
}
