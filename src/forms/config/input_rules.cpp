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
    return L"„" + shown + L"“ (" + code + L")";
}

std::optional<std::wstring> Refusal(const std::wstring& what, const StoreVerdict& verdict) {
    if (verdict.ok()) return std::nullopt;
    return what + L" kann so nicht gespeichert werden. " + StoreProblemText(verdict);
}

std::optional<std::wstring> CommaRefusal(const std::wstring& what, const std::wstring& text) {
    if (text.find(L',') == std::wstring::npos) return std::nullopt;
    return what + L" darf kein Komma enthalten: Kommas trennen die Teile eines QuickLogins.";
}

}  // namespace

std::wstring StoreProblemText(const StoreVerdict& verdict) {
    switch (verdict.problem) {
        case StoreProblem::kNone: return {};
        case StoreProblem::kNotInCodePage:
            return L"Das Zeichen " + CharName(verdict.character) +
                   L" kann die Einstellungsdatei nicht speichern (sie verwendet den ANSI-Zeichensatz von Windows). "
                   L"Bitte ohne dieses Zeichen eingeben.";
        case StoreProblem::kControlChar:
            return L"Der Text enthält das Steuerzeichen " + CharName(verdict.character) + L".";
        case StoreProblem::kTooLong: return L"Gespeichert wäre der Text länger als 255 Zeichen.";
        case StoreProblem::kLineBreakOrNul: return L"Gespeichert enthielte der Text einen Zeilenumbruch.";
        case StoreProblem::kOuterBlank:
            return L"Leerzeichen am Anfang und Ende gingen beim Lesen verloren. Bitte entfernen Sie sie.";
        case StoreProblem::kQuoted:
            return L"Gespeichert stünde der Text in Anführungszeichen, die beim Lesen verloren gingen.";
        case StoreProblem::kKeySyntax: return L"Der Name darf kein „=“ enthalten und nicht mit „[“ oder „;“ beginnen.";
        case StoreProblem::kEmpty: return L"Der Name darf nicht leer sein.";
    }
    return {};
}

std::optional<std::wstring> RefuseValue(const std::wstring& what, const std::wstring& plain, StoredAs form) {
    return Refusal(what, CheckStorable(plain, form));
}

std::optional<std::wstring> RefuseQuickLogin(const QuickLoginEntry& entry) {
    const std::pair<const wchar_t*, const std::wstring*> fields[] = {{L"Der Charaktername", &entry.character},
                                                                     {L"Der Servername", &entry.server},
                                                                     {L"Das Reich", &entry.realm},
                                                                     {L"Der Account", &entry.account}};
    for (const auto& [what, text] : fields) {
        if (auto refusal = CommaRefusal(what, *text)) return refusal;
        // A character the file cannot keep is named with its field.
        const StoreVerdict verdict = CheckStorable(*text, StoredAs::kScrambledValue);
        if (verdict.problem == StoreProblem::kNotInCodePage || verdict.problem == StoreProblem::kControlChar)
            return Refusal(what, verdict);
    }
    return RefuseValue(L"Der QuickLogin", entry.ToText(), StoredAs::kScrambledValue);
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
        return what + L" kann so nicht gespeichert werden. " + StoreProblemText(verdict) +
               L" Windows kennt für diesen Ordner auch keinen kurzen Namen (8.3), unter dem er sich speichern "
               L"ließe.";
    }
    return Refusal(what, verdict);
}

std::optional<std::wstring> RefuseAccount(const Settings& settings, const std::wstring& login,
                                         const std::wstring& password) {
    if (auto refusal = RefuseValue(L"Der Loginname", login, StoredAs::kScrambledKey)) return refusal;
    if (auto refusal = RefuseValue(L"Das Passwort", password, StoredAs::kScrambledValue)) return refusal;
    if (auto other = settings.AccountKeyCollision(login))
        return L"Der Loginname „" + login + L"“ lässt sich nicht neben dem Account „" + *other +
               L"“ speichern: Die Einstellungsdatei könnte die beiden nicht unterscheiden, und das Passwort von „" +
               *other + L"“ ginge verloren.";
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

}  // namespace

std::optional<std::wstring> RefuseServer(const std::wstring& name, const std::wstring& address,
                                         const std::wstring& port, const std::wstring& tag) {
    if (name.empty()) return std::wstring(L"Bitte geben Sie dem Server einen Namen.");
    if (auto refusal = CommaRefusal(L"Der Servername", name)) return refusal;
    if (auto refusal = RefuseValue(L"Der Servername", name, StoredAs::kKey)) return refusal;
    if (!IsServerAddress(address))
        return L"„" + address + L"“ ist keine Adresse: Bitte geben Sie eine IPv4-Adresse (etwa 10.0.0.5, ohne "
                                L"führende Nullen) oder einen Rechnernamen (etwa daoc.example.org) ein.";
    if (IsPlaceholderAddress(address))
        return L"„" + address + L"“ ist eine Platzhalter-Adresse, die zu keinem Spielserver führt. Bitte geben Sie "
                                L"die echte Adresse des Servers ein.";
    if (!AllDigits(port) || port.size() > 5 || std::stoi(port) < 1 || std::stoi(port) > 65535)
        return L"„" + port + L"“ ist kein Port: Bitte geben Sie eine Zahl von 1 bis 65535 ein.";
    if (!AllDigits(tag) || tag.size() > 9)
        return L"„" + tag + L"“ ist kein Tag: Bitte geben Sie eine ganze Zahl ein (etwa 4 für LYONESSE).";
    return std::nullopt;
}

std::wstring WriteFailedText(const SaveResult& result) {
    return L"Die Einstellungsdatei konnte nicht geschrieben werden; nichts wurde gespeichert. " +
           DescribeSaveFailure(result) + L" Bitte beheben Sie das und versuchen Sie es erneut.";
}

void ReportMissingBackup(const SaveResult& result) {
    if (!result.ok() || !result.backupMissing) return;
    ui::MsgBox(L"Gespeichert, aber ohne Sicherungskopie: Die Kopie der Einstellungsdatei, wie sie vorher war, "
               L"konnte nicht angelegt werden. " +
                   DescribeMissingBackup(result),
               MB_OK | MB_ICONWARNING);
}

std::wstring ReadProblemText(const std::wstring& file, const ReadProblem& problem) {
    const std::wstring name = L"Die Einstellungsdatei „" + file + L"“ ";
    switch (problem.kind) {
        case ReadProblem::Kind::kNone: return {};
        case ReadProblem::Kind::kUnreadable: {
            std::wstring reason;
            if (problem.error == ERROR_SHARING_VIOLATION || problem.error == ERROR_LOCK_VIOLATION)
                reason = L"Ein anderes Programm hält sie geöffnet.";
            else if (problem.error == ERROR_ACCESS_DENIED)
                reason = L"Windows verweigert den Zugriff.";
            else
                reason = L"Windows meldet den Fehler " + std::to_wstring(problem.error) + L".";
            return name + L"kann nicht gelesen werden. " + reason;
        }
        case ReadProblem::Kind::kUtf8NoMark:
            return name + L"ist im Format UTF-8 (ohne BOM) gespeichert, etwa von einem Texteditor. So gelesen wären "
                          L"Umlaute und verschlüsselte Einträge verfälscht. Bitte öffnen Sie sie im Editor und "
                          L"speichern Sie sie mit der Codierung „ANSI“.";
        case ReadProblem::Kind::kBrokenHeader:
            return name + L"ist beschädigt: In Zeile " + std::to_wstring(problem.line) + L" („" + problem.lineText +
                   L"“) fehlt die schließende Klammer „]“ der Abschnittsüberschrift. Bitte ergänzen Sie sie im "
                   L"Editor.";
    }
    return {};
}

void ShowReadProblem(const Settings& settings, const ReadProblem& problem) {
    ShowError(ReadProblemText(settings.file(), problem) +
              L"\r\n\r\nCorvalink hat nichts gelesen und nichts geändert. Bitte versuchen Sie es danach erneut.");
}

bool CheckSettingsBeforeUse(const Settings& settings) {
    const ReadProblem problem = settings.CheckReadable();
    if (!problem.ok()) ShowReadProblem(settings, problem);
    return problem.ok();
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
    std::wstring note = L"\r\n\r\nDiese QuickLogins verwenden ihn und lassen sich danach nicht mehr starten:";
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
