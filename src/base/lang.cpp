#include "base/lang.h"

#include "base/shown_text.h"

#include <windows.h>

#include "base/paths.h"
#include "base/product.h"
#include "base/quit.h"

namespace {

// Texts of the shipped language files are shorter than this; a longer one is read whole.
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

// A fallback that no text of a language file can be: tells a missing key from an empty text.
const std::wstring kNoText(1, L'\n');

// Whether another program holds the file without letting others read it.
bool HeldByAnotherProgram(const std::wstring& file) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The text of section/key in the file, empty when it has none. A file that another program
// holds (a virus scanner, an editor) is waited for a while; `held` says whether it still was.
std::wstring ReadLangText(const std::wstring& file, const std::wstring& section, const std::wstring& key, bool& held) {
    constexpr int kWaitMs = 5000, kStepMs = 100;
    // A file that stayed held through one whole wait is not waited for again until it reads.
    static std::wstring stillHeld;
    held = false;
    for (int waited = 0;; waited += kStepMs) {
        std::wstring text;
        // A text that fills the buffer may be longer (a translator's file): read again, larger.
        for (DWORD size = kLanguageBufferSize;; size *= 4) {
            text.assign(size, L'\0');
            text.resize(GetPrivateProfileStringW(section.c_str(), key.c_str(), kNoText.c_str(), text.data(), size,
                                                 file.c_str()));
            if (text.size() + 1 < size) break;
        }
        held = (text == kNoText || text.empty()) && HeldByAnotherProgram(file);
        if (!held && file == stillHeld) stillHeld.clear();
        if (text != kNoText && !text.empty()) return text;
        if (!held) return {};
        if (waited >= kWaitMs || file == stillHeld) {
            stillHeld = file;
            return {};
        }
        Sleep(kStepMs);
    }
}

// Says that the language file cannot give its texts, then ends the program.
[[noreturn]] void EndForLanguageFile(const std::wstring& file, bool held) {
    const std::wstring text =
        held ? L"Die Sprachdatei „" + file + L"“ wird von einem anderen Programm gehalten, das Programm wird beendet"
             : L"Die Sprachdatei ist fehlerhaft, das Programm wird beendet";
    MessageBoxW(nullptr, text.c_str(), kProductName, MB_OK | MB_SETFOREGROUND);
    QuitProgram();
}

}  // namespace

std::wstring LangText(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    if (section.empty() || key.empty()) return {};
    bool held = false;
    std::wstring text = ReadLangText(ActiveLangFile(), section, key, held);
    // A text that another language lacks (or a file of it that stays held) comes in German.
    if (text.empty() && !Selected().empty()) text = ReadLangText(LangFile(), section, key, held);
    if (text.empty()) text = fallback;
    if (!text.empty()) return text;
    // Said once: the box's own message loop may ask for more texts before the program ends.
    static bool ending = false;
    if (ending) return key;
    ending = true;
    EndForLanguageFile(LangFile(), held);
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
    const std::wstring title = ProductTitle(LangText(L"general", L"err"));
    MessageBoxW(nullptr, ShownText(text).c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
