#include "store/ini_handling.h"

#include <windows.h>

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

std::vector<std::wstring> ListIniKeys(const std::wstring& file, const std::wstring& section) {
    const std::string ansiSection = ToAnsi(section);
    const std::string ansiFile = ToAnsi(file);
    // The profile function cuts a listing that does not fit to size - 2 characters: grow the
    // buffer until the whole listing fits.
    std::string buffer;
    DWORD size = kSettingsBufferSize;
    DWORD n = 0;
    for (;;) {
        buffer.assign(size, '\0');
        n = GetPrivateProfileStringA(ansiSection.c_str(), nullptr, "", buffer.data(), size, ansiFile.c_str());
        if (n + 2 < size || size >= (1u << 30)) break;
        size *= 4;
    }
    std::vector<std::wstring> keys;
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (buffer[i] == '\0') {
            if (i > start) keys.push_back(FromAnsi(std::string_view(buffer).substr(start, i - start)));
            start = i + 1;
        }
    }
    return keys;
}
