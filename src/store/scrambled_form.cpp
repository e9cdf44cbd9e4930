#include "store/scrambled_form.h"

#include "store/ansi.h"
#include "store/simple_crypt.h"
#include "store/stored_bytes.h"

namespace {

constexpr char kHexMarker = '~';
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

}  // namespace

std::wstring EncodeScrambled(std::wstring_view plain, bool asKey) {
    if (plain.empty()) return {};
    std::string bytes = ToAnsi(plain);
    CryptBytes(std::span(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()), "");
    if (CheckStoredBytes(bytes, asKey) == StoreProblem::kNone) return FromAnsi(bytes);
    std::string hex(1, kHexMarker);
    for (unsigned char b : bytes) {
        hex += kHexDigits[b >> 4];
        hex += kHexDigits[b & 15];
    }
    return FromAnsi(hex);
}

std::wstring DecodeScrambled(std::wstring_view stored) {
    if (stored.size() >= 3 && stored.front() == static_cast<wchar_t>(kHexMarker) && stored.size() % 2 == 1) {
        std::string bytes;
        for (size_t i = 1; i + 1 < stored.size(); i += 2) {
            const int high = HexValue(stored[i]), low = HexValue(stored[i + 1]);
            if (high < 0 || low < 0) {
                bytes.clear();
                break;
            }
            bytes += static_cast<char>(high * 16 + low);
        }
        if (!bytes.empty()) {
            CryptBytes(std::span(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()), "");
            return FromAnsi(bytes);
        }
    }
    return CryptText(std::wstring(stored), L"");
}
