// SimpleDeAndCrypt: The symmetric byte scrambling of account names, passwords and QuickLogin entries. The same
// operation scrambles and unscrambles; the program always passes the empty key.
#pragma once
#include <span>
#include <string>
#include <string_view>

// Scrambles bytes in place. The bytes stand for positions lowerBound, lowerBound + 1, ...:
// the key repeats from the first byte, the position term uses the position itself.
void CryptBytes(std::span<unsigned char> bytes, std::string_view ansiKey, long lowerBound = 0);

// Scrambles the ANSI bytes of `text` and replaces it with the text those bytes form.
void CryptString(std::wstring& text, const std::wstring& key);

// The scrambled copy of `text`; the empty text stays empty.
std::wstring CryptText(const std::wstring& text, const std::wstring& key);
