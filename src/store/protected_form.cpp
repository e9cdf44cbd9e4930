#include "store/protected_form.h"

#include <windows.h>
#include <dpapi.h>

#include "store/ansi.h"

namespace {

constexpr wchar_t kPrefix[] = L"~W";
// The program's own entropy: a blob protected by another program for the same user does not
// read back here, nor ours there.
constexpr char kEntropy[] = "Corvalink password protection 1";

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string ToBase64(const unsigned char* data, size_t size) {
    std::string out;
    for (size_t i = 0; i < size; i += 3) {
        const unsigned n = (data[i] << 16) | (i + 1 < size ? data[i + 1] << 8 : 0) | (i + 2 < size ? data[i + 2] : 0);
        out += kBase64[(n >> 18) & 63];
        out += kBase64[(n >> 12) & 63];
        out += i + 1 < size ? kBase64[(n >> 6) & 63] : '=';
        out += i + 2 < size ? kBase64[n & 63] : '=';
    }
    return out;
}

std::optional<std::string> FromBase64(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) return std::nullopt;
    std::string out;
    for (size_t i = 0; i < text.size(); i += 4) {
        unsigned n = 0;
        int pad = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const char* at = c ? std::char_traits<char>::find(kBase64, 64, c) : nullptr;
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++pad;
                n <<= 6;
                continue;
            }
            if (!at || pad) return std::nullopt;
            n = (n << 6) | static_cast<unsigned>(at - kBase64);
        }
        out += static_cast<char>((n >> 16) & 255);
        if (pad < 2) out += static_cast<char>((n >> 8) & 255);
        if (pad < 1) out += static_cast<char>(n & 255);
    }
    return out;
}

DATA_BLOB Blob(const std::string& bytes) {
    return {static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

}  // namespace

bool IsProtectedForm(std::wstring_view stored) { return stored.rfind(kPrefix, 0) == 0; }

std::optional<std::wstring> ProtectPassword(std::wstring_view password) {
    const std::string plain = ToAnsi(password), entropy(kEntropy);
    DATA_BLOB in = Blob(plain), salt = Blob(entropy), out{};
    if (!CryptProtectData(&in, L"Corvalink", &salt, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::nullopt;
    const std::string text = ToBase64(out.pbData, out.cbData);
    LocalFree(out.pbData);
    return kPrefix + FromAnsi(text);
}

std::optional<std::wstring> UnprotectPassword(std::wstring_view stored) {
    if (!IsProtectedForm(stored)) return std::nullopt;
    const std::optional<std::string> bytes = FromBase64(ToAnsi(stored.substr(2)));
    if (!bytes) return std::nullopt;
    const std::string entropy(kEntropy);
    DATA_BLOB in = Blob(*bytes), salt = Blob(entropy), out{};
    if (!CryptUnprotectData(&in, nullptr, &salt, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return std::nullopt;
    std::wstring password = FromAnsi(std::string_view(reinterpret_cast<const char*>(out.pbData), out.cbData));
    SecureZeroMemory(out.pbData, out.cbData);
    LocalFree(out.pbData);
    return password;
}
