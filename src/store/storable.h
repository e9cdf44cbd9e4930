// The one rule for what the settings file can hold. A text is storable when (1) the ANSI
// code page keeps every character as it is and it has no control characters, and (2) the
// form it is stored in reads back byte for byte through the profile functions, which strip
// some bytes at either end of a value and end a line at others.
#pragma once
#include <string>
#include <string_view>

enum class StoreProblem {
    kNone,
    kNotInCodePage,   // a character the ANSI code page cannot keep (named in the verdict)
    kControlChar,     // a control character (named in the verdict)
    kTooLong,         // more than 255 bytes stored
    kLineBreakOrNul,  // CR, LF or NUL in the stored bytes
    kOuterBlank,      // a blank, tab or other byte at either end that reading strips
    kQuoted,          // wrapped in quotes, which reading strips
    kKeySyntax,       // as a key name: "=", or a leading "[" or ";"
    kEmpty,           // as a key name: empty
};

struct StoreVerdict {
    StoreProblem problem = StoreProblem::kNone;
    wchar_t character = 0;  // the offending character, for kNotInCodePage and kControlChar
    bool ok() const { return problem == StoreProblem::kNone; }
};

// How a text is kept in the file.
enum class StoredAs {
    kValue,           // a value as typed (a client folder, a server address)
    kKey,             // a key name as typed (a client or server name)
    kScrambledValue,  // a scrambled value (a password, a QuickLogin entry)
    kScrambledKey,    // a scrambled key name (an account's login name)
};

// Longest stored value or key, in bytes: what a read with the settings buffer returns.
inline constexpr size_t kMaxStoredBytes = 255;

// Whether these bytes, written as a value (or as a key name), read back exactly.
StoreProblem CheckStoredBytes(std::string_view bytes, bool asKey);

// The full check of a plain text that would be stored in the given form.
StoreVerdict CheckStorable(std::wstring_view plain, StoredAs form);
