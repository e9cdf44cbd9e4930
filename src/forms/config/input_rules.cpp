#include "forms/config/input_rules.h"

#include <windows.h>

#include "app/lang.h"
#include "store/simple_crypt.h"
#include "ui/controls.h"
#include "ui/message_box.h"

std::wstring StoreProblemText(StoreProblem problem) {
    switch (problem) {
        case StoreProblem::kNone: return {};
        case StoreProblem::kTooLong: return L"Gespeichert wäre der Text länger als 255 Zeichen.";
        case StoreProblem::kLineBreakOrNul:
            return L"Gespeichert enthielte der Text einen Zeilenumbruch. Das kommt bei Umlauten oder ß an "
                   L"bestimmten Stellen vor; bitte anders schreiben.";
        case StoreProblem::kOuterBlank:
            return L"Gespeichert begänne oder endete der Text mit einem Leerzeichen, das beim Lesen verloren "
                   L"ginge. Bitte Leerzeichen am Anfang und Ende entfernen (bei Umlauten: anders schreiben).";
        case StoreProblem::kQuoted:
            return L"Gespeichert stünde der Text in Anführungszeichen, die beim Lesen verloren gingen.";
        case StoreProblem::kNotInCodePage:
            return L"Der Text enthält Zeichen, die die Einstellungsdatei nicht darstellen kann.";
        case StoreProblem::kKeySyntax:
            return L"Gespeichert enthielte der Name ein „=“ oder begänne mit „[“ oder „;“.";
        case StoreProblem::kEmpty: return L"Der Name darf nicht leer sein.";
    }
    return {};
}

namespace {

std::optional<std::wstring> Refusal(const std::wstring& what, StoreProblem problem) {
    if (problem == StoreProblem::kNone) return std::nullopt;
    return what + L" kann so nicht gespeichert werden. " + StoreProblemText(problem);
}

}  // namespace

std::optional<std::wstring> RefuseValue(const std::wstring& what, const std::wstring& storedForm) {
    return Refusal(what, CheckStorable(storedForm));
}

std::optional<std::wstring> RefuseKey(const std::wstring& what, const std::wstring& storedForm) {
    return Refusal(what, CheckStorableKey(storedForm));
}

std::optional<std::wstring> RefuseQuickLogin(const QuickLoginEntry& entry) {
    const std::pair<const wchar_t*, const std::wstring*> fields[] = {{L"Der Charaktername", &entry.character},
                                                                     {L"Der Servername", &entry.server},
                                                                     {L"Das Reich", &entry.realm},
                                                                     {L"Der Account", &entry.account}};
    for (const auto& [what, text] : fields)
        if (text->find(L',') != std::wstring::npos)
            return std::wstring(what) + L" darf kein Komma enthalten: Kommas trennen die Teile eines QuickLogins.";
    return RefuseValue(L"Der QuickLogin", CryptText(entry.ToText(), L""));
}

std::optional<std::wstring> AccountKeyCollision(const std::wstring& loginName) {
    const std::wstring key = CryptText(loginName, L"");
    for (const std::wstring& stored : ListSettingKeys(section::kAccounts)) {
        if (stored != key && CompareStringOrdinal(stored.c_str(), static_cast<int>(stored.size()), key.c_str(),
                                                  static_cast<int>(key.size()), TRUE) == CSTR_EQUAL)
            return CryptText(stored, L"");
    }
    return std::nullopt;
}

std::wstring WriteFailedText() {
    return L"Die Einstellungsdatei konnte nicht geschrieben werden; nichts wurde gespeichert. Bitte prüfen Sie, "
           L"ob die Datei schreibgeschützt ist oder von einem anderen Programm gesperrt wird, und versuchen Sie "
           L"es erneut.";
}

bool RemoveAfterQuestion(const std::wstring& question, const std::wstring& section, const std::wstring& key) {
    if (ui::MsgBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    if (!DeleteSetting(section, key)) ShowError(WriteFailedText());
    return true;
}

bool StoreEntered(HWND addButton, const std::optional<std::wstring>& refusal, const std::wstring& section,
                  const std::wstring& key, const std::wstring& value) {
    if (refusal) {
        ShowError(*refusal);
        return false;
    }
    ui::SetEnabled(addButton, false);
    const bool written = WriteSetting(section, key, value);
    ui::SetEnabled(addButton, true);
    if (!written) ShowError(WriteFailedText());
    return written;
}
