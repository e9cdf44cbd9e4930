#include "base/lang.h"

#include "base/shown_text.h"

#include <windows.h>

#include "base/paths.h"
#include "base/product.h"
#include "base/quit.h"

namespace {

// Texts of the language file are at most this long.
constexpr DWORD kLanguageBufferSize = 512;

}  // namespace

std::wstring LangText(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    if (section.empty() || key.empty()) return {};
    std::wstring text(kLanguageBufferSize, L'\0');
    text.resize(GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), text.data(),
                                         kLanguageBufferSize, LangFile().c_str()));
    if (!text.empty()) return text;
    MessageBoxW(nullptr, L"Die Sprachdatei ist fehlerhaft, das Programm wird beendet", kProductName,
                MB_OK | MB_SETFOREGROUND);
    QuitProgram();
}

void ShowError(const std::wstring& text) {
    const std::wstring title = std::wstring(kProductName) + L" :: " + LangText(L"general", L"err");
    MessageBoxW(nullptr, ShownText(text).c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
