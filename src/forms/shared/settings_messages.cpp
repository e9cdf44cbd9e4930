#include "forms/shared/settings_messages.h"

#include "base/lang.h"
#include "ui/message_box.h"

std::wstring DescribeSaveFailure(const SaveResult& result) {
    switch (result.error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return LangText(L"rules", L"disk_full");
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return LangText(L"rules", L"file_held");
        default: break;
    }
    switch (result.failure) {
        case SaveResult::Failure::kNone: return {};
        case SaveResult::Failure::kReadOnly: return LangText(L"rules", L"read_only");
        case SaveResult::Failure::kUnicodeFile: return LangText(L"rules", L"big_endian");
        case SaveResult::Failure::kNotVerified: return LangText(L"rules", L"not_verified");
        case SaveResult::Failure::kNotProtected: return LangText(L"rules", L"not_protected");
        case SaveResult::Failure::kUnreadable:
        case SaveResult::Failure::kWriteFailed:
        case SaveResult::Failure::kNotReplaced:
            if (result.error == ERROR_ACCESS_DENIED) return LangText(L"rules", L"locked_or_no_rights");
            return LangFormat(L"rules", L"windows_error", {std::to_wstring(result.error)});
    }
    return {};
}

std::wstring WriteFailedText(const SaveResult& result) {
    return LangFormat(L"rules", L"write_failed", {DescribeSaveFailure(result)});
}

void ReportMissingBackup(const SaveResult& result) {
    if (!result.ok() || !result.backupMissing) return;
    const SaveResult why{SaveResult::Failure::kWriteFailed, result.backupError};
    ui::MsgBox(LangFormat(L"rules", L"no_backup", {DescribeSaveFailure(why)}), MB_OK | MB_ICONWARNING);
}

std::wstring ReadProblemText(const std::wstring& file, const ReadProblem& problem) {
    switch (problem.kind) {
        case ReadProblem::Kind::kNone: return {};
        case ReadProblem::Kind::kUnreadable: {
            std::wstring reason;
            if (problem.error == ERROR_SHARING_VIOLATION || problem.error == ERROR_LOCK_VIOLATION)
                reason = LangText(L"rules", L"read_held");
            else if (problem.error == ERROR_ACCESS_DENIED)
                reason = LangText(L"rules", L"read_denied");
            else
                reason = LangFormat(L"rules", L"windows_error", {std::to_wstring(problem.error)});
            return LangFormat(L"rules", L"unreadable", {file, reason});
        }
        case ReadProblem::Kind::kUtf8NoMark: return LangFormat(L"rules", L"utf8", {file});
        case ReadProblem::Kind::kBrokenHeader:
            return LangFormat(L"rules", L"broken_header", {file, std::to_wstring(problem.line), problem.lineText});
    }
    return {};
}

void ShowReadProblem(const Settings& settings, const ReadProblem& problem) {
    ShowError(ReadProblemText(settings.file(), problem) + L"\r\n\r\n" + LangText(L"rules", L"nothing_read"));
}

bool CheckSettingsBeforeUse(const Settings& settings) {
    const ReadProblem problem = settings.CheckReadable();
    if (!problem.ok()) ShowReadProblem(settings, problem);
    return problem.ok();
}

std::wstring ShownKeys(const std::wstring& storedKeys) {
    unsigned modifiers = 0, key = 0;
    if (!Hotkey::ParseKeys(storedKeys, modifiers, key)) return storedKeys;
    const std::pair<unsigned, std::wstring> names[] = {{MOD_CONTROL, LangText(L"keys", L"ctrl")},
                                                       {MOD_ALT, LangText(L"keys", L"alt")},
                                                       {MOD_SHIFT, LangText(L"keys", L"shift")},
                                                       {MOD_WIN, LangText(L"keys", L"win")}};
    std::wstring shown;
    for (const auto& [modifier, name] : names)
        if (modifiers & modifier) shown += name + L"+";
    return shown + storedKeys.substr(storedKeys.find_last_of(L'+') + 1);
}
