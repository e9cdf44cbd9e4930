// Temporary folders and whole-file reads and writes for tests.
#pragma once
#include <string>
#include <vector>

namespace testing_support {

// A new empty folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TempDir {
public:
    // `parent`: the system's temporary folder when empty; `name`: the new folder's own name
    // (inside a fresh folder of its own), a generated one when empty.
    explicit TempDir(const std::wstring& parent = L"", const std::wstring& name = L"");
    // Ends what still runs from the folder, then removes it.
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
    std::wstring root_;  // what is removed, when the folder was given a name
};

// Files as raw bytes, so tests control the exact ANSI content.
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The names (without folder) of the files that match a pattern with wildcards, in name order.
std::vector<std::wstring> FilesMatching(const std::wstring& pattern);
void RemoveTree(const std::wstring& path);
// Ends every process whose executable lies in the folder (programs a test's program started).
void EndProcessesIn(const std::wstring& folder);

}  // namespace testing_support
