#include "store/log_file.h"

#include <windows.h>

#include "base/handles.h"

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

bool ReadWhole(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 64 * 1024 * 1024) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return false;
    bytes.resize(read);
    return true;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

bool AppendLogLine(const std::wstring& path, const std::wstring& line, size_t limit) {
    const std::string bytes = Utf8(line) + "\r\n";
    // Held for the one write only: two programs (or a reader) may share the file.
    const base::ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return false;
    if (size.QuadPart == 0) return WriteAll(file.get(), kUtf8Mark + bytes);
    if (static_cast<unsigned long long>(size.QuadPart) + bytes.size() < limit) {
        SetFilePointer(file.get(), 0, nullptr, FILE_END);
        return WriteAll(file.get(), bytes);
    }
    // Too long: the newer half stays, from the start of a line.
    std::string whole;
    if (!ReadWhole(file.get(), whole)) return false;
    size_t cut = whole.find('\n', whole.size() / 2);
    cut = cut == std::string::npos ? whole.size() : cut + 1;
    std::string kept = kUtf8Mark + whole.substr(cut) + bytes;
    if (kept.size() >= limit) kept = kUtf8Mark + bytes;
    SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
    return WriteAll(file.get(), kept) && SetEndOfFile(file.get());
}
