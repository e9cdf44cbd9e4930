#include "base/paths.h"

#include <windows.h>

namespace {

struct Paths {
    std::wstring executable, dir, settings, lang, log;
};

Paths& Current() {
    static Paths paths;
    return paths;
}

}  // namespace

void InitPaths(const std::wstring& executablePath) {
    Paths& p = Current();
    p.executable = executablePath;
    const size_t slash = executablePath.find_last_of(L"\\/");
    p.dir = slash == std::wstring::npos ? std::wstring() : executablePath.substr(0, slash);
    std::wstring name = slash == std::wstring::npos ? executablePath : executablePath.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    p.settings = p.dir + L"\\" + name + L".dat";
    p.lang = p.dir + L"\\" + name + L".lng";
    p.log = p.dir + L"\\" + name + L".log";
}

void InitPathsFromModule() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    InitPaths(buffer);
}

const std::wstring& ProgramDir() { return Current().dir; }
const std::wstring& ExecutablePath() { return Current().executable; }
const std::wstring& SettingsFile() { return Current().settings; }
const std::wstring& LangFile() { return Current().lang; }
const std::wstring& LogFile() { return Current().log; }
