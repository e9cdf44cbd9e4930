#include "store/ansi.h"

#include <windows.h>

namespace {

int ConvertToAnsi(std::wstring_view text, char* out, int outSize, BOOL* usedDefault) {
    // No best fit: Windows would otherwise turn "Ł" into "L" without a word.
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out, outSize,
                               "?", usedDefault);
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

std::optional<char32_t> FirstNonAnsiChar(std::wstring_view text) {
    if (FitsAnsi(text)) return std::nullopt;
    for (size_t i = 0; i < text.size(); ++i) {
        // A character outside the basic plane (a surrogate pair) is named whole.
        const wchar_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                   (static_cast<char32_t>(text[i + 1]) - 0xDC00);
        if (!FitsAnsi(text.substr(i, 1))) return c;
    }
    return text.empty() ? std::nullopt : std::optional<char32_t>(text[0]);
}
