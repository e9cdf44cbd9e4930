#include "forms/config/server_choice.h"

#include "base/lang.h"
#include "store/ini_handling.h"
#include "ui/controls.h"

void ServerChoice::Fill(HWND combo, const Settings& settings, Fallback fallback) {
    const std::wstring chosen = Chosen(combo);
    ui::ComboClear(combo);
    names_.clear();
    int select = -1, firstReal = -1;
    for (const ServerRecord& server : settings.Servers()) {
        const int index = static_cast<int>(names_.size());
        const bool placeholder = IsPlaceholderAddress(server.address);
        if (server.name == chosen) select = index;
        if (!placeholder && firstReal < 0) firstReal = index;
        names_.push_back(server.name);
        ui::ComboAdd(combo, placeholder ? server.name + LangText(L"general", L"placeholder") : server.name);
    }
    if (select < 0 && fallback == Fallback::kFirstReal && !names_.empty()) select = firstReal >= 0 ? firstReal : 0;
    ui::ComboSelect(combo, select);
    ui::FitDroppedWidth(combo);
}

std::wstring ServerChoice::Chosen(HWND combo) const {
    const int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    return index >= 0 && static_cast<size_t>(index) < names_.size() ? names_[static_cast<size_t>(index)]
                                                                    : std::wstring();
}

void ServerChoice::Choose(HWND combo, const std::wstring& name) const {
    int index = -1;
    for (size_t i = 0; i < names_.size(); ++i)
        if (UpperCase(names_[i]) == UpperCase(name)) index = static_cast<int>(i);
    ui::ComboSelect(combo, index);
}
