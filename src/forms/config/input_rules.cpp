#include "forms/config/input_rules.h"

#include <windows.h>

#include <cwchar>

#include "base/lang.h"
#include "store/ansi.h"
#include "store/file_check.h"
#include "ui/controls.h"
#include "ui/message_box.h"

namespace {

std::wstring CharName(char32_t c) {
    wchar_t code[16];
    swprintf(code, 16, L"U+%04X", static_cast<unsigned>(c));
    // A control character or half a surrogate pair is named by its code alone.
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF)) return code;
    std::wstring shown;
    if (c >= 0x10000) {
        shown += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        shown += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        shown += static_cast<wchar_t>(c);
    }
    return LangFormat(L"rules", L"character", {shown, code});
}

std::optional<std::wstring> Refusal(const std::wstring& what, const StoreVerdict& verdict) {
    if (verdict.ok()) return std::nullopt;
    return LangFormat(L"rules", L"cannot_store", {what, StoreProblemText(verdict)});
}

std::optional<std::wstring> CommaRefusal(const std::wstring& what, const std::wstring& text) {
    if (text.find(L',') == std::wstring::npos) return std::nullopt;
    return LangFormat(L"rules", L"comma", {what});
}

}  // namespace

std::wstring StoreProblemText(const StoreVerdict& verdict) {
    switch (verdict.problem) {
        case StoreProblem::kNone: return {};
        case StoreProblem::kNotInCodePage:
            return LangFormat(L"rules", L"not_in_code_page", {CharName(verdict.character)});
        case StoreProblem::kControlChar: return LangFormat(L"rules", L"control_char", {CharName(verdict.character)});
        case StoreProblem::kTooLong: return LangText(L"rules", L"too_long");
        case StoreProblem::kLineBreakOrNul: return LangText(L"rules", L"line_break");
        case StoreProblem::kOuterBlank: return LangText(L"rules", L"outer_blank");
        case StoreProblem::kQuoted: return LangText(L"rules", L"quoted");
        case StoreProblem::kKeySyntax: return LangText(L"rules", L"key_syntax");
        case StoreProblem::kEmpty: return LangText(L"rules", L"empty_name");
    }
    return {};
}

std::optional<std::wstring> RefuseValue(const std::wstring& what, const std::wstring& plain, StoredAs form) {
    return Refusal(what, CheckStorable(plain, form));
}

std::optional<std::wstring> RefuseQuickLogin(const QuickLoginEntry& entry) {
    const std::pair<std::wstring, const std::wstring*> fields[] = {
        {LangText(L"rules", L"field_character"), &entry.character},
        {LangText(L"rules", L"field_server"), &entry.server},
        {LangText(L"rules", L"field_realm"), &entry.realm},
        {LangText(L"rules", L"field_account"), &entry.account}};
    for (const auto& [what, text] : fields) {
        if (auto refusal = CommaRefusal(what, *text)) return refusal;
        // A character the file cannot keep is named with its field.
        const StoreVerdict verdict = CheckStorable(*text, StoredAs::kScrambledValue);
        if (verdict.problem == StoreProblem::kNotInCodePage || verdict.problem == StoreProblem::kControlChar)
            return Refusal(what, verdict);
    }
    return RefuseValue(LangText(L"rules", L"field_quicklogin"), entry.ToText(), StoredAs::kScrambledValue);
}

std::optional<std::wstring> RefuseClientName(const std::wstring& what, const std::wstring& name) {
    if (auto refusal = CommaRefusal(what, name)) return refusal;
    return RefuseValue(what, name, StoredAs::kKey);
}

std::optional<std::wstring> RefuseClientDir(const std::wstring& what, std::wstring& dir) {
    const StoreVerdict verdict = CheckStorable(dir, StoredAs::kValue);
    if (verdict.problem == StoreProblem::kNotInCodePage && FileExists(dir)) {
        std::wstring shortName(MAX_PATH, L'\0');
        const DWORD n = GetShortPathNameW(dir.c_str(), shortName.data(), MAX_PATH);
        shortName.resize(n < MAX_PATH ? n : 0);
        if (!shortName.empty() && CheckStorable(shortName, StoredAs::kValue).ok()) {
            dir = shortName;
            return std::nullopt;
        }
        return LangFormat(L"rules", L"cannot_store", {what, StoreProblemText(verdict)}) + L" " +
               LangText(L"rules", L"no_short_name");
    }
    return Refusal(what, verdict);
}

std::optional<std::wstring> RefuseAccount(const Settings& settings, const std::wstring& login,
                                          const std::wstring& password) {
    if (auto refusal = RefuseValue(LangText(L"rules", L"field_login"), login, StoredAs::kScrambledKey)) return refusal;
    if (auto refusal = RefuseValue(LangText(L"rules", L"field_password"), password, StoredAs::kScrambledValue))
        return refusal;
    if (auto other = settings.AccountKeyCollision(login))
        return LangFormat(L"rules", L"login_collision", {login, *other});
    return std::nullopt;
}

namespace {

bool AllDigits(const std::wstring& text) {
    return !text.empty() && text.find_first_not_of(L"0123456789") == std::wstring::npos;
}

// Four numbers 0 to 255 joined by dots, or a host name: labels of letters, digits and inner
// hyphens, 1 to 63 characters each, joined by dots, 253 characters at most.
bool IsServerAddress(const std::wstring& address) {
    if (address.empty() || address.size() > 253) return false;
    std::vector<std::wstring> labels;
    for (size_t start = 0;;) {
        const size_t dot = address.find(L'.', start);
        labels.push_back(address.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start));
        if (dot == std::wstring::npos) break;
        start = dot + 1;
    }
    bool allNumbers = true;
    for (const std::wstring& label : labels) allNumbers = allNumbers && AllDigits(label);
    if (allNumbers) {
        // Leading zeros are refused: some programs read "010" as an octal number (8).
        if (labels.size() != 4) return false;
        for (const std::wstring& label : labels)
            if (label.size() > 3 || std::stoi(label) > 255 || (label.size() > 1 && label[0] == L'0')) return false;
        return true;
    }
    for (const std::wstring& label : labels) {
        if (label.empty() || label.size() > 63 || label.front() == L'-' || label.back() == L'-') return false;
        for (wchar_t c : label)
            if (!((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-'))
                return false;
    }
    return true;
}

// An IPv4 address that no game server can have: the unspecified network 0.x.x.x, multicast
// and the reserved range above it, and the broadcast address 255.255.255.255.
bool IsNoServerAddress(const std::wstring& address) {
    // Checked as an address before: one of digits and dots is an IPv4 address.
    if (address.find_first_not_of(L"0123456789.") != std::wstring::npos) return false;
    const int first = std::stoi(address.substr(0, address.find(L'.')));
    return first == 0 || first >= 224;
}

}  // namespace

std::optional<std::wstring> RefuseServer(const std::wstring& name, const std::wstring& address,
                                         const std::wstring& port, const std::wstring& tag) {
    if (name.empty()) return LangText(L"rules", L"server_no_name");
    if (auto refusal = CommaRefusal(LangText(L"rules", L"field_server"), name)) return refusal;
    if (auto refusal = RefuseValue(LangText(L"rules", L"field_server"), name, StoredAs::kKey)) return refusal;
    if (!IsServerAddress(address)) return LangFormat(L"rules", L"not_an_address", {address});
    if (IsPlaceholderAddress(address)) return LangFormat(L"rules", L"placeholder_address", {address});
    if (IsNoServerAddress(address)) return LangFormat(L"rules", L"no_server_address", {address});
    if (!AllDigits(port) || port.size() > 5 || std::stoi(port) < 1 || std::stoi(port) > 65535)
        return LangFormat(L"rules", L"not_a_port", {port});
    if (!AllDigits(tag) || tag.size() > 9) return LangFormat(L"rules", L"not_a_tag", {tag});
    return std::nullopt;
}

bool StoreEntered(HWND addButton, const std::optional<std::wstring>& refusal, const std::function<SaveResult()>& save) {
    if (refusal) {
        ShowError(*refusal);
        return false;
    }
    SaveResult result;
    {
        const ui::DisabledWhile busy(addButton);
        result = save();
    }
    if (!result.ok()) ShowError(WriteFailedText(result));
    ReportMissingBackup(result);
    return result.ok();
}

std::wstring UsersNote(const std::vector<QuickLoginEntry>& users) {
    if (users.empty()) return {};
    std::wstring note = L"\r\n\r\n" + LangText(L"rules", L"users");
    for (const QuickLoginEntry& e : users) note += L"\r\n" + e.Caption();
    return note;
}

bool RemoveAfterQuestion(const std::wstring& question, const std::function<SaveResult()>& remove) {
    if (ui::MsgBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    const SaveResult result = remove();
    if (!result.ok()) ShowError(WriteFailedText(result));
    ReportMissingBackup(result);
    return true;
}
