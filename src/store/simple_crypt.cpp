#include "store/simple_crypt.h"

#include "store/ansi.h"

void CryptBytes(std::span<unsigned char> bytes, std::string_view ansiKey, long lowerBound) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned keyByte = 255;
        if (!ansiKey.empty()) keyByte = 255u ^ static_cast<unsigned char>(ansiKey[i % ansiKey.size()]);
        const unsigned long position = static_cast<unsigned long>(lowerBound) + i;
        bytes[i] = static_cast<unsigned char>(bytes[i] ^ keyByte ^ (position & 255u));
    }
}

void CryptString(std::wstring& text, const std::wstring& key) {
    std::string bytes = ToAnsi(text);
    CryptBytes(std::span(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()), ToAnsi(key));
    text = FromAnsi(bytes);
}

std::wstring CryptText(const std::wstring& text, const std::wstring& key) {
    if (text.empty()) return {};
    std::wstring copy = text;
    CryptString(copy, key);
    return copy;
}
