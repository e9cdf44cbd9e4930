#include "forms/config/desktop_shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "base/paths.h"
#include "forms/config/autostart.h"

namespace {

std::wstring Quoted(const std::wstring& name) {
    std::wstring quoted = L"\"";
    for (wchar_t c : name) quoted += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return quoted + L"\"";
}

}  // namespace

std::wstring LoginArguments(const std::wstring& caption) { return std::wstring(L"/login") + L' ' + Quoted(caption); }

std::wstring TeamArguments(const std::wstring& team) { return std::wstring(L"/team") + L' ' + Quoted(team); }

std::wstring ShortcutFileName(const std::wstring& title) {
    std::wstring name;
    for (wchar_t c : title) {
        if (c == L':') continue;
        name += (c < 32 || std::wstring(L"\\/*?\"<>|").find(c) != std::wstring::npos) ? L'-' : c;
    }
    // The system drops blanks and dots at a name's end.
    while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
    return name.empty() ? L"-" : name;
}

std::optional<std::wstring> MakeDesktopShortcut(const std::wstring& title, const std::wstring& arguments) {
    std::wstring desktop = SpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
    if (desktop.empty()) return std::nullopt;
    if (desktop.back() != L'\\') desktop += L'\\';
    const std::wstring name = ShortcutFileName(title);
    std::wstring link = desktop + name + L".lnk";
    for (int n = 2; GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES; ++n)
        link = desktop + name + L" (" + std::to_wstring(n) + L").lnk";
    if (!CreateShortcut(link, ExecutablePath(), arguments, title, ProgramDir(), ExecutablePath())) return std::nullopt;
    return link;
}
