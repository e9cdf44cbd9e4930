// The one rule for what the settings file can hold. A text is storable when (1) the ANSI
// code page keeps every character as it is and it has no control characters, and (2) the
// form it is stored in reads back byte for byte through the profile functions, which strip
// some bytes at either end of a value and end a line at others.
#pragma once
#include <string>
#include <string_view>

#include "store/stored_bytes.h"

struct StoreVerdict {
    StoreProblem problem = StoreProblem::kNone;
    char32_t character = 0;  // the offending character (a code point), for kNotInCodePage and kControlChar
    bool ok() const { return problem == StoreProblem::kNone; }
};

// How a text is kept in the file.
enum class StoredAs {
    kValue,           // a value as typed (a client folder, a server address)
    kKey,             // a key name as typed (a client or server name)
    kScrambledValue,  // a scrambled value (a password, a QuickLogin entry)
    kScrambledKey,    // a scrambled key name (an account's login name)
};

// The full check of a plain text that would be stored in the given form.
StoreVerdict CheckStorable(std::wstring_view plain, StoredAs form);
