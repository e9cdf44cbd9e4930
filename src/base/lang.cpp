#include "base/lang.h"

#include "base/shown_text.h"

#include <windows.h>

#include "base/paths.h"
#include "base/product.h"
#include "base/quit.h"

namespace {

// Texts of the language file are at most this long.
constexpr DWORD kLanguageBufferSize = 512;

std::wstring& Selected() {
    static std::wstring code;
    return code;
}

// <name>.<code>.lng beside the German <name>.lng.
std::wstring LangFileOf(const std::wstring& code) {
    const std::wstring& german = LangFile();
    if (code.empty()) return german;
    const size_t dot = german.find_last_of(L'.');
    return german.substr(0, dot) + L"." + code + german.substr(dot);
}

std::wstring ActiveLangFile() { return LangFileOf(Selected()); }

std::wstring LanguageName(const std::wstring& code) {
    wchar_t name[64] = {};
    GetPrivateProfileStringW(L"general", L"language", code.c_str(), name, 64, LangFileOf(code).c_str());
    return name;
}

}  // namespace

std::wstring LangText(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    if (section.empty() || key.empty()) return {};
    std::wstring text(kLanguageBufferSize, L'\0');
    text.resize(GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), text.data(),
                                         kLanguageBufferSize, ActiveLangFile().c_str()));
    if (!text.empty()) return text;
    MessageBoxW(nullptr, L"Die Sprachdatei ist fehlerhaft, das Programm wird beendet", kProductName,
                MB_OK | MB_SETFOREGROUND);
    QuitProgram();
}

std::wstring LangFormat(const std::wstring& section, const std::wstring& key,
                        std::initializer_list<std::wstring> values) {
    const std::wstring pattern = LangText(section, key);
    std::wstring text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        const size_t index = static_cast<size_t>(next - L'1');
        if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::wstring LangTextAt(const std::wstring& name) {
    const size_t slash = name.find(L'/');
    return slash == std::wstring::npos ? name : LangText(name.substr(0, slash), name.substr(slash + 1));
}

void SelectLanguage(const std::wstring& code) {
    Selected() = code == L"de" ? std::wstring() : code;
    if (!Selected().empty() && GetFileAttributesW(ActiveLangFile().c_str()) == INVALID_FILE_ATTRIBUTES)
        Selected().clear();
}

const std::wstring& SelectedLanguage() { return Selected(); }

std::vector<Language> AvailableLanguages() {
    std::vector<Language> languages{{L"", LanguageName(L"")}};
    // <name>.*.lng: the part between the dots is the code.
    const std::wstring pattern = LangFileOf(L"*");
    const size_t folderEnd = pattern.find_last_of(L'\\') + 1;
    const size_t codeStart = pattern.find(L'*') - folderEnd;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return languages;
    do {
        const std::wstring file = found.cFileName;
        const size_t codeEnd = file.find_last_of(L'.');
        if (codeEnd <= codeStart) continue;
        const std::wstring code = file.substr(codeStart, codeEnd - codeStart);
        if (!code.empty() && code.find(L'.') == std::wstring::npos) languages.push_back({code, LanguageName(code)});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return languages;
}

void ShowError(const std::wstring& text) {
    const std::wstring title = std::wstring(kProductName) + L" :: " + LangText(L"general", L"err");
    MessageBoxW(nullptr, ShownText(text).c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
