#include "store/ini_handling.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <string_view>

// The W profile functions take paths in any script; they keep the file's contents in the ANSI
// code page, as the A functions do.

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& fallback,
                     const std::wstring& file, int bufferSize) {
    if (bufferSize < 1) return {};
    std::wstring buffer(static_cast<size_t>(bufferSize), L' ');
    DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                       static_cast<DWORD>(bufferSize), file.c_str());
    buffer.resize(n);
    return buffer;
}

bool WriteIni(const std::wstring& file, const std::wstring& section, const std::wstring& key,
              const std::wstring& value) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool DeleteIniKey(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, file.c_str()) != FALSE;
}

namespace {

// The file's size in bytes: no list read from it has more characters. 0 when unknown.
DWORD FileBytes(const std::wstring& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data) || data.nFileSizeHigh) return 0;
    return data.nFileSizeLow;
}

// A list of NUL-terminated pieces from a profile function that cuts what does not fit to
// size - 2 characters: the buffer grows until the whole list fits. A list too long for the
// first small buffer gets one of the file's size next (each read goes through the whole list,
// and a section of thousands of lines would otherwise take many).
template <typename Read>
std::vector<std::wstring> ReadWholeList(const std::wstring& file, Read read) {
    std::wstring buffer;
    DWORD size = kSettingsBufferSize;
    DWORD n = 0;
    for (;;) {
        buffer.assign(size, L'\0');
        n = read(buffer.data(), size);
        if (n + 2 < size || size >= (1u << 28)) break;
        size = std::max(size * 4, std::min<DWORD>(FileBytes(file) + 4, 1u << 28));
    }
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (buffer[i] == L'\0') {
            if (i > start) pieces.emplace_back(buffer, start, i - start);
            start = i + 1;
        }
    }
    return pieces;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

std::wstring UpperCase(std::wstring_view text) {
    std::wstring upper(text);
    if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

std::vector<std::wstring> ListIniKeys(const std::wstring& file, const std::wstring& section) {
    return ReadWholeList(file, [&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer, size, file.c_str());
    });
}

std::vector<std::pair<std::wstring, std::wstring>> ReadIniSection(const std::wstring& file, const std::wstring& section,
                                                                  int bufferSize, std::vector<std::wstring>* repeated) {
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    std::set<std::wstring> seen;
    for (const std::wstring& line : ReadWholeList(file, [&](wchar_t*buffer, DWORD size) {
             return GetPrivateProfileSectionW(section.c_str(), buffer, size, file.c_str());
         })) {
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos) continue;
        const std::wstring_view key = TrimBlanks(std::wstring_view(line).substr(0, equals));
        if (!seen.insert(UpperCase(key)).second) {
            if (repeated) repeated->emplace_back(key);
            continue;
        }
        std::wstring_view value = TrimBlanks(std::wstring_view(line).substr(equals + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (bufferSize > 0 && value.size() > static_cast<size_t>(bufferSize - 1))
            value = value.substr(0, bufferSize - 1);
        entries.emplace_back(std::wstring(key), std::wstring(value));
    }
    return entries;
}
