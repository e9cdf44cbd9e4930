#include "forms/config/language_choice.h"

#include "ui/controls.h"

void FillLanguageCombo(HWND combo, const std::vector<Language>& languages, const std::wstring& code) {
    ui::ComboClear(combo);
    int chosen = 0;
    for (size_t i = 0; i < languages.size(); ++i) {
        ui::ComboAdd(combo, languages[i].name);
        if (languages[i].code == code) chosen = static_cast<int>(i);
    }
    ui::ComboSelect(combo, chosen);
}

std::wstring ChosenLanguage(HWND combo, const std::vector<Language>& languages) {
    const auto index = static_cast<size_t>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return index < languages.size() ? languages[index].code : std::wstring();
}
