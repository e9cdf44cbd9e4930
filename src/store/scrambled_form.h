// How scrambled texts (account names, passwords, QuickLogin entries) are kept in the file.
//
// The classic form is the scrambled bytes themselves. Where those bytes would not read back
// (the scrambled form of "Tagesmenü" ends in a byte that reading strips), the text is kept as
// "~" followed by the scrambled bytes in upper-case hex. No classic form starts with "~": it
// would stand for a text starting with the control character U+0081, which is never stored.
// Every text whose classic form reads back keeps that form byte for byte.
#pragma once
#include <string>
#include <string_view>

// The stored form of a plain text as a value or as a key name (empty stays empty). Check the
// text with CheckStorable first.
std::wstring EncodeScrambled(std::wstring_view plain, bool asKey = false);
// The plain text of a stored form of either kind.
std::wstring DecodeScrambled(std::wstring_view stored);
