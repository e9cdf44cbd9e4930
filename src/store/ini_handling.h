// INIHandling: Access to INI-format ("profile") files through the system's profile functions. Every read
// goes to the file and every write goes to the file at once; nothing is cached.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Buffer size of the settings file's reads.
constexpr int kSettingsBufferSize = 256;
// For values the program makes itself that may be longer (protected passwords).
constexpr int kWholeValueBufferSize = 8192;

// The text upper-cased as the profile functions compare section and key names.
std::wstring UpperCase(std::wstring_view text);

// The value of key in section, or `fallback` when the file, section or key is missing.
// Outer blanks of the stored value are dropped; the result has at most bufferSize - 1
// characters. Section and key names match without regard to case.
std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& fallback,
                     const std::wstring& file, int bufferSize);

// Creates or replaces the key (and the file and section when missing). False when the
// write failed.
bool WriteIni(const std::wstring& file, const std::wstring& section, const std::wstring& key,
              const std::wstring& value);

// Removes the key; true also when there was no such key. False when the write failed.
bool DeleteIniKey(const std::wstring& file, const std::wstring& section, const std::wstring& key);

// Every key name of the section in file order; empty for a missing section or file. The list
// is never cut short, however many keys the section holds.
std::vector<std::wstring> ListIniKeys(const std::wstring& file, const std::wstring& section);

// Every key of the section with its value, in file order, read with one pass over the file.
// Values are what ReadIni with `bufferSize` would give for them (outer blanks dropped, one
// pair of enclosing quotes removed, cut to bufferSize - 1); a repeated key keeps its first value,
// and its later lines are named in `repeated` (as written) when it is given.
std::vector<std::pair<std::wstring, std::wstring>> ReadIniSection(const std::wstring& file, const std::wstring& section,
                                                                  int bufferSize,
                                                                  std::vector<std::wstring>* repeated = nullptr);
