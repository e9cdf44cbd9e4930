#include "login/login_log.h"

#include <windows.h>

#include <cwchar>

#include "base/paths.h"
#include "store/log_file.h"

void LogLogin(const std::wstring& who, const std::wstring& what) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond, now.wMilliseconds);
    AppendLogLine(LogFile(), stamp + who + L": " + what);
}
