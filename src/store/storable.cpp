#include "store/storable.h"

#include "store/ansi.h"
#include "store/scrambled_form.h"

namespace {

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

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
