#include "store/ini_transaction.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <optional>

#include "base/handles.h"
#include "store/ansi.h"
#include "store/file_encoding.h"
#include "store/ini_handling.h"
#include "store/ini_text.h"

namespace {

using Failure = SaveResult::Failure;

SaveResult Fail(Failure failure, DWORD error = GetLastError()) { return {failure, error}; }

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// Writes the bytes as a new file and makes sure they reached the disk.
bool WriteNewFile(const std::wstring& path, const std::string& bytes, DWORD& error) {
    base::ScopedFile handle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        error = GetLastError();
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(handle.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            error = GetLastError();
            if (error == ERROR_SUCCESS) error = ERROR_DISK_FULL;
            return false;
        }
        done += written;
    }
    // Closing is checked too: a close may be where the system reports a failed write.
    if (!FlushFileBuffers(handle.get()) || !CloseHandle(handle.release())) {
        error = GetLastError();
        return false;
    }
    return true;
}

// Removes a copy that was not put in place (after a move there is nothing left to remove).
struct RemoveOnExit {
    const std::wstring& path;
    ~RemoveOnExit() { DeleteFileW(path.c_str()); }
};

// Puts a written copy in the target's place in one step.
bool PutInPlace(const std::wstring& copy, const std::wstring& target) {
    return MoveFileExW(copy.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::wstring CopyName(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

}  // namespace

SaveResult ReadWholeFile(const std::wstring& path, std::string& bytes, bool& exists) {
    bytes.clear();
    exists = false;
    const base::ScopedFile handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
        const DWORD error = GetLastError();
        if (NotFound(error)) return {};
        return Fail(Failure::kUnreadable, error);
    }
    exists = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.get(), &size)) return Fail(Failure::kUnreadable);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(handle.get(), bytes.data() + done, chunk, &read, nullptr)) return Fail(Failure::kUnreadable);
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return {};
}

void IniTransaction::Set(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    edits_.push_back({Kind::kSet, section, key, value, {}});
}

void IniTransaction::Remove(const std::wstring& section, const std::wstring& key) {
    edits_.push_back({Kind::kRemove, section, key, {}, {}});
}

void IniTransaction::RemoveSection(const std::wstring& section) {
    edits_.push_back({Kind::kRemoveSection, section, {}, {}, {}});
}

void IniTransaction::ReplaceSection(const std::wstring& section,
                                    std::vector<std::pair<std::wstring, std::wstring>> entries) {
    edits_.push_back({Kind::kReplaceSection, section, {}, {}, std::move(entries)});
}

bool IniTransaction::Verify(const std::wstring& copy) const {
    // What each touched section must hold afterwards, from the last edit of each key.
    struct Expected {
        bool replaced = false;
        std::vector<std::pair<std::wstring, std::wstring>> whole;
        std::map<std::wstring, std::optional<std::wstring>> keys;  // nothing: removed
    };
    std::map<std::wstring, Expected> sections;
    for (const Edit& e : edits_) {
        Expected& x = sections[UpperCase(e.section)];
        if (e.kind == Kind::kReplaceSection || e.kind == Kind::kRemoveSection) {
            x = Expected{true, e.entries, {}};
        } else {
            x.keys[UpperCase(e.key)] = e.kind == Kind::kSet ? std::optional<std::wstring>(e.value) : std::nullopt;
        }
    }
    for (const auto& [section, x] : sections) {
        // Read whole: protected passwords are longer than the values typed into the windows.
        const auto stored = ReadIniSection(copy, section, kWholeValueBufferSize);
        std::map<std::wstring, std::wstring> byKey;
        for (const auto& [key, value] : stored) byKey.emplace(UpperCase(key), value);
        if (x.replaced) {
            if (stored.size() != x.whole.size()) return false;
            for (size_t i = 0; i < stored.size(); ++i)
                if (UpperCase(stored[i].first) != UpperCase(x.whole[i].first) || stored[i].second != x.whole[i].second)
                    return false;
        }
        for (const auto& [key, value] : x.keys) {
            const auto it = byKey.find(key);
            if (value ? it == byKey.end() || it->second != *value : it != byKey.end()) return false;
        }
    }
    return true;
}

SaveResult IniTransaction::Commit() {
    std::string original;
    bool exists = false;
    if (SaveResult read = ReadWholeFile(file_, original, exists); !read.ok()) return read;
    const FileEncoding encoding = exists ? DetectEncoding(original) : FileEncoding::kAnsi;
    if (exists) {
        const DWORD attributes = GetFileAttributesW(file_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return Fail(Failure::kReadOnly, ERROR_ACCESS_DENIED);
    }
    // A file in UTF-16 or UTF-8 with its mark is edited as UTF-8 and written back as it was.
    std::string editable;
    if (!DecodeForEditing(original, encoding, editable)) return Fail(Failure::kUnicodeFile, 0);
    const UINT codePage = EditingCodePage(encoding);
    const auto encode = [codePage](const std::wstring& text) { return ToCodePage(text, codePage); };

    IniText text(editable, codePage);
    for (size_t i = 0; i < edits_.size(); ++i) {
        const Edit& e = edits_[i];
        switch (e.kind) {
            case Kind::kSet: {
                // The keys set one after another in one section go in one pass.
                std::vector<std::pair<std::string, std::string>> values{{encode(e.key), encode(e.value)}};
                for (; i + 1 < edits_.size() && edits_[i + 1].kind == Kind::kSet && edits_[i + 1].section == e.section;
                     ++i)
                    values.emplace_back(encode(edits_[i + 1].key), encode(edits_[i + 1].value));
                text.SetAll(encode(e.section), values);
                break;
            }
            case Kind::kRemove: text.Remove(encode(e.section), encode(e.key)); break;
            case Kind::kRemoveSection: text.RemoveSection(encode(e.section)); break;
            case Kind::kReplaceSection: {
                std::vector<std::pair<std::string, std::string>> entries;
                entries.reserve(e.entries.size());
                for (const auto& [key, value] : e.entries) entries.emplace_back(encode(key), encode(value));
                text.ReplaceSection(encode(e.section), entries);
                break;
            }
        }
    }
    const std::string changed = EncodeEdited(text.Bytes(), encoding);
    if (exists && changed == original) return {};

    const std::wstring copy = CopyName(file_);
    const RemoveOnExit removeCopy{copy};
    DWORD error = 0;
    if (!WriteNewFile(copy, changed, error)) return Fail(Failure::kWriteFailed, error);
    std::string back;
    bool copyExists = false;
    if (!ReadWholeFile(copy, back, copyExists).ok() || back != changed || !Verify(copy))
        return Fail(Failure::kNotVerified, 0);
    // The backup is written before and put in place after the file: a save that fails leaves no
    // backup generation behind, and a backup that cannot be kept does not stop the save.
    SaveResult saved;
    const std::wstring backupCopy = CopyName(backup_.empty() ? file_ : backup_);
    const RemoveOnExit removeBackupCopy{backupCopy};
    const bool backingUp = exists && !backup_.empty();
    if (backingUp && !WriteNewFile(backupCopy, original, error)) {
        saved.backupMissing = true;
        saved.backupError = error;
    }
    if (!PutInPlace(copy, file_)) return Fail(Failure::kNotReplaced);
    if (backingUp && !saved.backupMissing && !PutInPlace(backupCopy, backup_)) {
        saved.backupMissing = true;
        saved.backupError = GetLastError();
    }
    return saved;
}
