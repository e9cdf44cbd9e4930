// The one pair of conversions between the program's UTF-16 text and the system's ANSI code
// page. Used exactly where files and the game demand ANSI: profile files, scrambled bytes,
// agreement files, and the game's window titles and classes.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// Characters the code page cannot represent become "?".
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// True when ToAnsi keeps every character, so FromAnsi(ToAnsi(text)) == text.
bool FitsAnsi(std::wstring_view text);
// The first character that the code page cannot keep as it is (lost, or replaced by a
// look-alike), as a code point; nothing when the whole text fits.
std::optional<char32_t> FirstNonAnsiChar(std::wstring_view text);
