// Texts from the language file, and the program's common error box.
#pragma once
#include <string>

// The text under section/key of the language file; `fallback` when the key (or the file) is
// missing. An empty result means a faulty language file: the program says so and ends.
// An empty section or key gives the empty text without reading the file.
std::wstring LangText(const std::wstring& section, const std::wstring& key, const std::wstring& fallback = L"");

// An error box titled "<product> :: <general/err>" with the error icon.
void ShowError(const std::wstring& text);
