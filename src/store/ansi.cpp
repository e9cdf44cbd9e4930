#include "store/ansi.h"

#include <windows.h>

namespace {

int ConvertToAnsi(std::wstring_view text, char* out, int outSize, BOOL* usedDefault) {
    // No best fit: Windows would otherwise turn "Ł" into "L" without a word.
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                               out, outSize, "?", usedDefault);
}

}  // namespace

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    int size = ConvertToAnsi(text, nullptr, 0, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ConvertToAnsi(text, out.data(), size, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
    return out;
}

bool FitsAnsi(std::wstring_view text) {
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    int size = ConvertToAnsi(text, nullptr, 0, &usedDefault);
    // One byte a character in a single-byte code page; anything else would not read back.
    return !usedDefault && size == static_cast<int>(text.size()) && FromAnsi(ToAnsi(text)) == text;
}

std::optional<wchar_t> FirstNonAnsiChar(std::wstring_view text) {
    if (FitsAnsi(text)) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        // A surrogate pair never fits a single-byte code page: name its first half's character.
        if (!FitsAnsi(text.substr(i, 1))) return text[i];
    }
    return text.empty() ? std::nullopt : std::optional<wchar_t>(text[0]);
}
