// A change to an INI file that happens whole or not at all. The edits are applied to a copy
// beside the file, the copy is read back (its bytes, and every changed key through the
// profile functions), and only then put in place of the file by one atomic replace. Any
// failure on the way leaves the file byte for byte as it was.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct SaveResult {
    enum class Failure {
        kNone,
        kUnreadable,    // the file exists but could not be read
        kReadOnly,      // the file is marked read-only
        kUnicodeFile,   // the file is stored as UTF-16 big-endian, which these edits do not keep
        kWriteFailed,   // the copy could not be written (full disk, no rights)
        kNotVerified,   // the copy did not read back as written
        kNotReplaced,   // the file could not be replaced (held by another program, no rights)
        kNotProtected,  // Windows refused to protect a password
    };
    Failure failure = Failure::kNone;
    DWORD error = 0;  // the system's error code, where there was one
    // Saved, but the copy of the file as it was could not be kept (the save goes on without it).
    bool backupMissing = false;
    DWORD backupError = 0;
    bool ok() const { return failure == Failure::kNone; }
};

class IniTransaction {
public:
    explicit IniTransaction(std::wstring file) : file_(std::move(file)) {}

    // Before replacing the file, keep its previous content under this name. A backup that
    // cannot be written does not stop the save: the result says so (backupMissing).
    void KeepBackupAs(std::wstring backupFile) { backup_ = std::move(backupFile); }

    // Values and names are the file's own text (ANSI); see IniText.
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void Remove(const std::wstring& section, const std::wstring& key);
    void ReplaceSection(const std::wstring& section, std::vector<std::pair<std::wstring, std::wstring>> entries);
    void RemoveSection(const std::wstring& section);
    bool HasNoEdits() const { return edits_.empty(); }

    SaveResult Commit();

private:
    enum class Kind { kSet, kRemove, kReplaceSection, kRemoveSection };
    struct Edit {
        Kind kind;
        std::wstring section, key, value;
        std::vector<std::pair<std::wstring, std::wstring>> entries;
    };
    bool Verify(const std::wstring& copy) const;

    std::wstring file_, backup_;
    std::vector<Edit> edits_;
};

// Reads a whole file. kUnreadable (with the system's error) when it exists but cannot be read;
// `exists` false and an empty text when it does not exist.
SaveResult ReadWholeFile(const std::wstring& path, std::string& bytes, bool& exists);
