// Which bytes a value or key name of the settings file keeps: the profile functions strip some
// bytes at either end, end a line at others, and strip enclosing quotes (measured over every
// byte value: see the unit tests).
#pragma once
#include <cstddef>
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

// Longest stored value or key, in bytes: what a read with the settings buffer returns.
inline constexpr size_t kMaxStoredBytes = 255;

// Whether these bytes, written as a value (or as a key name), read back exactly.
StoreProblem CheckStoredBytes(std::string_view bytes, bool asKey);
