#include "tray/tray_menu.h"

#include "base/lang.h"
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
    size_t offset = 0;
    if (item.kind == TrayListItem::Kind::kTeam) offset = state.quickLoginCaptions.size();
    if (item.kind == TrayListItem::Kind::kRunningGame) offset = state.quickLoginCaptions.size() + state.teamNames.size();
    return tray_menu::kFirstListCommand + static_cast<UINT>(offset + item.index);
}

TrayListItem ListItemOf(const TrayMenuState& state, UINT command) {
    if (command < tray_menu::kFirstListCommand) return {};
    size_t at = command - tray_menu::kFirstListCommand;
    const std::pair<TrayListItem::Kind, size_t> lists[] = {
        {TrayListItem::Kind::kQuickLogin, state.quickLoginCaptions.size()},
        {TrayListItem::Kind::kTeam, state.teamNames.size()},
        {TrayListItem::Kind::kRunningGame, state.runningGames.size()}};
    for (const auto& [kind, size] : lists) {
        if (at < size) return {kind, at};
        at -= size;
    }
    return {};
}

std::vector<UINT> TrayMenuItems(const TrayMenuState& state) {
    using namespace tray_menu;
    std::vector<UINT> items{popupmenue_about, popupmenue_config, kSeparator, popupmenue_daoc, kSeparator};
    for (size_t i = 0; i < state.quickLoginCaptions.size(); ++i)
        items.push_back(ListCommand(state, {TrayListItem::Kind::kQuickLogin, i}));
    for (size_t i = 0; i < state.teamNames.size(); ++i) items.push_back(ListCommand(state, {TrayListItem::Kind::kTeam, i}));
    if (!state.runningGames.empty()) items.push_back(popupmenue_running);
    if (state.runInProgress) items.push_back(popupmenue_cancel_run);
    if (items.back() != kSeparator) items.push_back(kSeparator);
    items.push_back(popupmenue_beenden);
    return items;
}

base::ScopedMenu BuildTrayMenu(const TrayMenuState& state) {
    using namespace tray_menu;
    base::ScopedMenu menu(CreatePopupMenu());  // popupmenue_dummy
    // Each fixed item has a mnemonic (the underlined letter); the texts read as before.
    for (const UINT item : TrayMenuItems(state)) {
        if (item == kSeparator) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else if (item == popupmenue_daoc) {
            HMENU daoc = CreatePopupMenu();  // owned by `menu` once appended
            AppendItem(daoc, popupmenue_daoc_lizenzen[0], LangText(L"tray", L"agreement"));
            AppendItem(daoc, popupmenue_daoc_lizenzen[1], LangText(L"tray", L"conduct"));
            AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(daoc), LangText(L"tray", L"game").c_str());
        } else if (item == popupmenue_running) {
            HMENU running = CreatePopupMenu();  // owned by `menu` once appended
            for (size_t i = 0; i < state.runningGames.size(); ++i)
                AppendItem(running, ListCommand(state, {TrayListItem::Kind::kRunningGame, i}),
                           MenuText(state.runningGames[i]));
            AppendMenuW(running, MF_SEPARATOR, 0, nullptr);
            AppendItem(running, popupmenue_places_remember, LangText(L"tray", L"remember_places"));
            AppendItem(running, popupmenue_places_forget, LangText(L"tray", L"forget_places"));
            AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(running), LangText(L"tray", L"running").c_str());
        } else if (item == popupmenue_about) {
            AppendItem(menu.get(), item, LangText(L"tray", L"about"));
        } else if (item == popupmenue_config) {
            AppendItem(menu.get(), item, LangText(L"tray", L"config"));
            // What a double click on the icon does, in bold.
            SetMenuDefaultItem(menu.get(), item, FALSE);
        } else if (item == popupmenue_cancel_run) {
            AppendItem(menu.get(), item, LangText(L"tray", L"cancel_run"));
        } else if (item == popupmenue_beenden) {
            AppendItem(menu.get(), item, LangText(L"tray", L"quit"));
        } else if (const TrayListItem listed = ListItemOf(state, item); listed.kind == TrayListItem::Kind::kQuickLogin) {
            AppendItem(menu.get(), item, MenuText(state.quickLoginCaptions[listed.index]), state.quickLoginsEnabled);
        } else if (listed.kind == TrayListItem::Kind::kTeam) {
            AppendItem(menu.get(), item, MenuText(LangFormat(L"tray", L"team", {state.teamNames[listed.index]})),
                       state.quickLoginsEnabled);
        }
    }
    return menu;
}
