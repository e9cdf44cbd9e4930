#include "tray/tray_menu.h"

#include "base/shown_text.h"
#include "store/settings.h"

namespace {

// A menu shows "&" as the underline of the next letter: double it to show it as written.
std::wstring MenuText(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : ShownText(text)) {
        if (c == L'&') out += L'&';
        out += c;
    }
    return out;
}

void AppendItem(HMENU menu, UINT id, const std::wstring& caption, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, caption.c_str());
}

}  // namespace

UINT ListCommand(const TrayMenuState& state, TrayListItem item) {
    const size_t offset = item.kind == TrayListItem::Kind::kTeam ? state.quickLoginCaptions.size() : 0;
    return tray_menu::kFirstListCommand + static_cast<UINT>(offset + item.index);
}

TrayListItem ListItemOf(const TrayMenuState& state, UINT command) {
    if (command < tray_menu::kFirstListCommand) return {};
    const size_t at = command - tray_menu::kFirstListCommand, quickLogins = state.quickLoginCaptions.size();
    if (at < quickLogins) return {TrayListItem::Kind::kQuickLogin, at};
    if (at - quickLogins < state.teamNames.size()) return {TrayListItem::Kind::kTeam, at - quickLogins};
    return {};
}

std::wstring QuickLoginCaption(std::wstring_view entryText) {
    const std::vector<std::wstring> f = SplitFields(entryText, 6);
    if (f.size() >= 3) return f[1] + L"/" + f[2] + L": " + f[0];
    if (f.size() == 2) return f[1] + L": " + f[0];
    return f[0];
}

base::ScopedMenu BuildTrayMenu(const TrayMenuState& state) {
    base::ScopedMenu menu(CreatePopupMenu());  // popupmenue_dummy
    HMENU daoc = CreatePopupMenu();  // owned by `menu` once appended
    // Each fixed item has a mnemonic (the underlined letter); the texts read as before.
    AppendItem(daoc, tray_menu::popupmenue_daoc_lizenzen[0], L"&Nutzungsvereinbarungen");
    AppendItem(daoc, tray_menu::popupmenue_daoc_lizenzen[1], L"&Verhaltenskodex");

    AppendItem(menu.get(), tray_menu::popupmenue_about, L"&Über ..");
    AppendItem(menu.get(), tray_menu::popupmenue_config, L"&Konfiguration");
    // What a double click on the icon does, in bold.
    SetMenuDefaultItem(menu.get(), tray_menu::popupmenue_config, FALSE);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);  // popupmenue_trennlinie3
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(daoc), L"&DAoC");  // popupmenue_daoc
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);  // popupmenue_trennlinie2
    for (size_t i = 0; i < state.quickLoginCaptions.size(); ++i)
        AppendItem(menu.get(), ListCommand(state, {TrayListItem::Kind::kQuickLogin, i}), MenuText(state.quickLoginCaptions[i]),
                   state.quickLoginsEnabled);
    for (size_t i = 0; i < state.teamNames.size(); ++i)
        AppendItem(menu.get(), ListCommand(state, {TrayListItem::Kind::kTeam, i}), MenuText(L"Team: " + state.teamNames[i]),
                   state.quickLoginsEnabled);
    if (state.runInProgress) AppendItem(menu.get(), tray_menu::popupmenue_cancel_run, L"Anmeldung &abbrechen");
    if (!state.quickLoginCaptions.empty() || !state.teamNames.empty() || state.runInProgress)
        AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);  // popupmenue_trennlinie
    AppendItem(menu.get(), tray_menu::popupmenue_beenden, L"&Beenden");
    return menu;
}
