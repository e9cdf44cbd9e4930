#include "base/shown_text.h"

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring ShownText(std::wstring_view text) {
    std::wstring shown(text);
    for (size_t i = 0; i < shown.size(); ++i) {
        const wchar_t c = shown[i];
        if (IsHighSurrogate(c) && i + 1 < shown.size() && IsLowSurrogate(shown[i + 1])) {
            ++i;  // a whole pair
            continue;
        }
        const bool control = (c < 0x20 && c != L'\r' && c != L'\n' && c != L'\t') || c == 0x7F;
        if (control || IsHighSurrogate(c) || IsLowSurrogate(c)) shown[i] = 0xFFFD;
    }
    return shown;
}
