#include "store/file_encoding.h"

#include "store/ansi.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF", kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

// The length of the valid UTF-8 sequence at `at` (2 to 4), or 0.
size_t Utf8SequenceAt(std::string_view bytes, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    return length;
}

bool IsUtf8WithoutMark(std::string_view bytes) {
    bool multiByte = false;
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) return false;
        multiByte = true;
        i += length;
    }
    return multiByte;
}

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return FileEncoding::kUtf8;
    if (bytes.starts_with(kUtf16LeMark)) return FileEncoding::kUtf16Le;
    if (bytes.starts_with(kUtf16BeMark)) return FileEncoding::kUtf16Be;
    return IsUtf8WithoutMark(bytes) ? FileEncoding::kUtf8NoMark : FileEncoding::kAnsi;
}

UINT EditingCodePage(FileEncoding encoding) {
    return encoding == FileEncoding::kAnsi || encoding == FileEncoding::kUtf8NoMark ? CP_ACP : CP_UTF8;
}

bool DecodeForEditing(std::string_view bytes, FileEncoding encoding, std::string& text) {
    switch (encoding) {
        case FileEncoding::kAnsi:
        case FileEncoding::kUtf8NoMark: text = bytes; return true;
        case FileEncoding::kUtf8: text = bytes.substr(kUtf8Mark.size()); return true;
        case FileEncoding::kUtf16Le: {
            const std::string_view body = bytes.substr(kUtf16LeMark.size());
            std::wstring wide(body.size() / 2, L'\0');
            for (size_t i = 0; i < wide.size(); ++i)
                wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(body[2 * i]) |
                                               (static_cast<unsigned char>(body[2 * i + 1]) << 8));
            text = ToCodePage(wide, CP_UTF8);
            return body.size() % 2 == 0;
        }
        case FileEncoding::kUtf16Be: return false;
    }
    return false;
}

std::string EncodeEdited(const std::string& text, FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::kAnsi:
        case FileEncoding::kUtf8NoMark:
        case FileEncoding::kUtf16Be: return text;
        case FileEncoding::kUtf8: return std::string(kUtf8Mark) + text;
        case FileEncoding::kUtf16Le: {
            const std::wstring wide = FromCodePage(text, CP_UTF8);
            std::string bytes(kUtf16LeMark);
            bytes.reserve(bytes.size() + 2 * wide.size());
            for (wchar_t c : wide) {
                bytes.push_back(static_cast<char>(c & 0xFF));
                bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
            }
            return bytes;
        }
    }
    return text;
}

std::string ToCodePage(std::wstring_view text, UINT codePage) {
    if (codePage == CP_ACP) return ToAnsi(text);
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromCodePage(std::string_view bytes, UINT codePage) {
    if (codePage == CP_ACP) return FromAnsi(bytes);
    if (bytes.empty()) return {};
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
    return out;
}
