#include "store/ini_handling.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "store/ansi.h"

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& fallback,
                     const std::wstring& file, int bufferSize) {
    if (bufferSize < 1) return {};
    std::string buffer(static_cast<size_t>(bufferSize), ' ');
    DWORD n = GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(fallback).c_str(),
                                       buffer.data(), static_cast<DWORD>(bufferSize), ToAnsi(file).c_str());
    buffer.resize(n);
    return FromAnsi(buffer);
}

bool WriteIni(const std::wstring& file, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), ToAnsi(value).c_str(),
                                      ToAnsi(file).c_str()) != FALSE;
}

bool DeleteIniKey(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
    return WritePrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(), nullptr,
                                      ToAnsi(file).c_str()) != FALSE;
}

namespace {

// A list of NUL-terminated pieces from a profile function that cuts what does not fit to
// size - 2 characters: the buffer grows until the whole list fits.
template <typename Read>
std::vector<std::string> ReadWholeList(Read read) {
    std::string buffer;
    DWORD size = kSettingsBufferSize;
    DWORD n = 0;
    for (;;) {
        buffer.assign(size, '\0');
        n = read(buffer.data(), size);
        if (n + 2 < size || size >= (1u << 30)) break;
        size *= 4;
    }
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (buffer[i] == '\0') {
            if (i > start) pieces.emplace_back(buffer, start, i - start);
            start = i + 1;
        }
    }
    return pieces;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<std::wstring> ListIniKeys(const std::wstring& file, const std::wstring& section) {
    const std::string ansiSection = ToAnsi(section);
    const std::string ansiFile = ToAnsi(file);
    std::vector<std::wstring> keys;
    for (const std::string& name : ReadWholeList([&](char* buffer, DWORD size) {
             return GetPrivateProfileStringA(ansiSection.c_str(), nullptr, "", buffer, size, ansiFile.c_str());
         }))
        keys.push_back(FromAnsi(name));
    return keys;
}

std::vector<std::pair<std::wstring, std::wstring>> ReadIniSection(const std::wstring& file, const std::wstring& section,
                                                                   int bufferSize) {
    const std::string ansiSection = ToAnsi(section);
    const std::string ansiFile = ToAnsi(file);
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    std::vector<std::string> seen;
    for (const std::string& line : ReadWholeList([&](char* buffer, DWORD size) {
             return GetPrivateProfileSectionA(ansiSection.c_str(), buffer, size, ansiFile.c_str());
         })) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key(TrimBlanks(std::string_view(line).substr(0, equals)));
        CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
        seen.push_back(key);
        std::string_view value = TrimBlanks(std::string_view(line).substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (bufferSize > 0 && value.size() > static_cast<size_t>(bufferSize - 1)) value = value.substr(0, bufferSize - 1);
        entries.emplace_back(FromAnsi(TrimBlanks(std::string_view(line).substr(0, equals))), FromAnsi(value));
    }
    return entries;
}
