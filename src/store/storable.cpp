#include "store/storable.h"

#include "store/ansi.h"
#include "store/scrambled_form.h"

namespace {

// Bytes that the profile functions strip from either end of a value or key name (measured
// over every byte value: see the unit tests).
bool StrippedAtEnd(unsigned char b) { return b == ' ' || b == '\t' || b == 0x0B || b == 0x0C || b == 0x1A; }

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

StoreProblem CheckStoredBytes(std::string_view bytes, bool asKey) {
    if (asKey && bytes.empty()) return StoreProblem::kEmpty;
    if (bytes.size() > kMaxStoredBytes) return StoreProblem::kTooLong;
    if (bytes.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return StoreProblem::kLineBreakOrNul;
    if (!bytes.empty() && (StrippedAtEnd(static_cast<unsigned char>(bytes.front())) ||
                           StrippedAtEnd(static_cast<unsigned char>(bytes.back()))))
        return StoreProblem::kOuterBlank;
    if (asKey) {
        if (bytes.find('=') != std::string_view::npos || bytes.front() == '[' || bytes.front() == ';')
            return StoreProblem::kKeySyntax;
    } else if (bytes.size() >= 2 && (bytes.front() == '"' || bytes.front() == '\'') && bytes.back() == bytes.front()) {
        return StoreProblem::kQuoted;
    }
    return StoreProblem::kNone;
}

StoreVerdict CheckStorable(std::wstring_view plain, StoredAs form) {
    // Step 1: the text itself.
    if (auto lost = FirstNonAnsiChar(plain)) return {StoreProblem::kNotInCodePage, *lost};
    for (wchar_t c : plain)
        if (IsControl(c)) return {StoreProblem::kControlChar, c};
    // Step 2: its stored form.
    const bool asKey = form == StoredAs::kKey || form == StoredAs::kScrambledKey;
    const bool scrambled = form == StoredAs::kScrambledValue || form == StoredAs::kScrambledKey;
    const std::wstring stored = scrambled ? EncodeScrambled(plain, asKey) : std::wstring(plain);
    return {CheckStoredBytes(ToAnsi(stored), asKey), 0};
}
