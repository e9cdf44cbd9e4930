// Texts from the language file, and the program's common error box.
//
// Every text that a player sees comes from the language file through LangText. Keys are
// symbolic: the section names the window or part of the program that shows the text, the key
// says what it is. Texts with values name them %1, %2, ... (LangFormat). Layout tables and list
// columns, which are written before any file is read, name their texts "section/key"
// (LangTextAt). The German file is <name>.lng; another language ships as <name>.<code>.lng.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

// The text under section/key of the language file; `fallback` when the key (or the file) is
// missing. An empty result means a faulty language file: the program says so and ends.
// An empty section or key gives the empty text without reading the file.
std::wstring LangText(const std::wstring& section, const std::wstring& key, const std::wstring& fallback = L"");

// LangText with %1, %2, ... (up to %9) replaced by `values` in their order.
std::wstring LangFormat(const std::wstring& section, const std::wstring& key,
                        std::initializer_list<std::wstring> values);

// LangText of a text named "section/key"; a name without "/" is not a key and is its own text
// (symbols such as "..").
std::wstring LangTextAt(const std::wstring& name);

// The language of the texts from now on: "en" reads <name>.en.lng; empty (or "de", or a
// language whose file is missing) reads the German <name>.lng.
void SelectLanguage(const std::wstring& code);
// The selected language's code; empty for German.
const std::wstring& SelectedLanguage();

struct Language {
    std::wstring code;  // empty for German
    std::wstring name;  // as the language calls itself: each file's general/language
};
// The languages whose files are beside the program, German first.
std::vector<Language> AvailableLanguages();

// An error box titled "<product> :: <general/err>" with the error icon.
void ShowError(const std::wstring& text);
