#include "tray/tray_menu.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "base/lang.h"
#include "base/shown_text.h"
#include "store/settings.h"

namespace {

using Kind = TrayListItem::Kind;

// A menu shows "&" as the underline of the next letter: double it to show it as written.
std::wstring MenuText(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : ShownText(text)) {
        if (c == L'&') out += L'&';
        out += c;
    }
    return out;
}

TrayMenuItem Leaf(UINT id) { return {id, {}}; }

// A list longer than a screen is cut into parts of equal length, and the parts again, until one
// screen holds them.
std::vector<TrayMenuItem> FitScreen(std::vector<TrayMenuItem> items) {
    using tray_menu::kScreenItems;
    while (items.size() > kScreenItems) {
        const size_t partCount = (items.size() + kScreenItems - 1) / kScreenItems;
        const size_t partLength = (items.size() + partCount - 1) / partCount;
        std::vector<TrayMenuItem> parts;
        for (size_t at = 0; at < items.size(); at += partLength) {
            const auto begin = items.begin() + static_cast<std::ptrdiff_t>(at);
            const auto end = items.begin() + static_cast<std::ptrdiff_t>(std::min(items.size(), at + partLength));
            parts.push_back({tray_menu::popupmenue_part,
                             std::vector<TrayMenuItem>(std::make_move_iterator(begin), std::make_move_iterator(end))});
        }
        items = std::move(parts);
    }
    return items;
}

// The QuickLogins of a long menu: one submenu per server and realm, in the order their first
// entries stand; an entry without a server stands beside them.
std::vector<TrayMenuItem> GroupedQuickLogins(const TrayMenuState& state) {
    std::vector<TrayMenuItem> items;
    std::unordered_map<std::wstring, size_t> groupAt;
    for (size_t i = 0; i < state.quickLoginEntries.size(); ++i) {
        TrayMenuItem leaf = Leaf(ListCommand(state, {Kind::kQuickLogin, i}));
        const std::wstring group = QuickLoginEntry::QuickLoginGroup(state.quickLoginEntries[i]);
        if (group.empty()) {
            items.push_back(std::move(leaf));
            continue;
        }
        const auto [at, added] = groupAt.try_emplace(group, items.size());
        if (added) items.push_back(Leaf(tray_menu::popupmenue_group));
        items[at->second].items.push_back(std::move(leaf));
    }
    for (TrayMenuItem& item : items)
        if (item.id == tray_menu::popupmenue_group) item.items = FitScreen(std::move(item.items));
    return FitScreen(std::move(items));
}

}  // namespace

UINT ListCommand(const TrayMenuState& state, TrayListItem item) {
    size_t offset = 0;
    if (item.kind == Kind::kTeam) offset = state.quickLoginEntries.size();
    if (item.kind == Kind::kRunningGame) offset = state.quickLoginEntries.size() + state.teamNames.size();
    return tray_menu::kFirstListCommand + static_cast<UINT>(offset + item.index);
}

TrayListItem ListItemOf(const TrayMenuState& state, UINT command) {
    if (command < tray_menu::kFirstListCommand) return {};
    size_t at = command - tray_menu::kFirstListCommand;
    const std::pair<Kind, size_t> lists[] = {{Kind::kQuickLogin, state.quickLoginEntries.size()},
                                             {Kind::kTeam, state.teamNames.size()},
                                             {Kind::kRunningGame, state.runningGames.size()}};
    for (const auto& [kind, size] : lists) {
        if (at < size) return {kind, at};
        at -= size;
    }
    return {};
}

std::vector<TrayMenuItem> TrayMenuItems(const TrayMenuState& state) {
    using namespace tray_menu;
    std::vector<TrayMenuItem> items{
        Leaf(popupmenue_about),
        Leaf(popupmenue_config),
        Leaf(popupmenue_trennlinie3),
        {popupmenue_daoc, {Leaf(popupmenue_daoc_lizenzen[0]), Leaf(popupmenue_daoc_lizenzen[1])}},
        Leaf(popupmenue_trennlinie2)};
    std::vector<TrayMenuItem> teams;
    for (size_t i = 0; i < state.teamNames.size(); ++i) teams.push_back(Leaf(ListCommand(state, {Kind::kTeam, i})));
    if (state.quickLoginEntries.size() + teams.size() <= kScreenItems) {
        for (size_t i = 0; i < state.quickLoginEntries.size(); ++i)
            items.push_back(Leaf(ListCommand(state, {Kind::kQuickLogin, i})));
        items.insert(items.end(), teams.begin(), teams.end());
    } else {
        for (TrayMenuItem& item : GroupedQuickLogins(state)) items.push_back(std::move(item));
        if (!teams.empty()) items.push_back({popupmenue_teams, FitScreen(std::move(teams))});
    }
    if (!state.runningGames.empty()) {
        TrayMenuItem running = Leaf(popupmenue_running);
        for (size_t i = 0; i < state.runningGames.size(); ++i)
            running.items.push_back(Leaf(ListCommand(state, {Kind::kRunningGame, i})));
        for (UINT id : {kSeparator, popupmenue_games_next, popupmenue_games_previous, kSeparator,
                        popupmenue_games_minimize, popupmenue_games_restore, popupmenue_games_close, kSeparator,
                        popupmenue_places_remember, popupmenue_places_forget, kSeparator, popupmenue_games_background})
            running.items.push_back(Leaf(id));
        items.push_back(std::move(running));
    }
    if (state.runInProgress) items.push_back(Leaf(popupmenue_cancel_run));
    if (items.back().id != kSeparator) items.push_back(Leaf(popupmenue_trennlinie));
    items.push_back(Leaf(popupmenue_beenden));
    return items;
}

namespace {

// Builds a menu's items with their captions; the fixed items have mnemonics (the underlined
// letter).
class MenuBuilder {
public:
    explicit MenuBuilder(const TrayMenuState& state) : state_(state) {}

    void Append(HMENU menu, const std::vector<TrayMenuItem>& items) const {
        for (const TrayMenuItem& item : items) {
            if (item.id == tray_menu::kSeparator) {
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            } else if (!item.items.empty()) {
                HMENU sub = CreatePopupMenu();  // owned by `menu` once appended
                Append(sub, item.items);
                AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Caption(item).c_str());
            } else {
                // While a login runs, its QuickLogins and teams are greyed; while a team runs, the
                // QuickLogins stay.
                const Kind kind = ListItemOf(state_, item.id).kind;
                const bool enabled = (kind != Kind::kQuickLogin && kind != Kind::kTeam) || state_.quickLoginsEnabled ||
                                     (kind == Kind::kQuickLogin && state_.quickLoginsBesideTeam);
                const bool checked = item.id == tray_menu::popupmenue_games_background && state_.backgroundGamesLower;
                AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | (checked ? MF_CHECKED : 0u), item.id,
                            Caption(item).c_str());
                // What a double click on the icon does, in bold.
                if (item.id == tray_menu::popupmenue_config) SetMenuDefaultItem(menu, item.id, FALSE);
            }
        }
    }

private:
    std::wstring Caption(const TrayMenuItem& item) const {
        using namespace tray_menu;
        switch (item.id) {
            case popupmenue_about: return LangText(L"tray", L"about");
            case popupmenue_config: return LangText(L"tray", L"config");
            case popupmenue_daoc: return LangText(L"tray", L"game");
            case popupmenue_daoc_lizenzen[0]: return LangText(L"tray", L"agreement");
            case popupmenue_daoc_lizenzen[1]: return LangText(L"tray", L"conduct");
            case popupmenue_running: return LangText(L"tray", L"running");
            case popupmenue_places_remember: return LangText(L"tray", L"remember_places");
            case popupmenue_places_forget: return LangText(L"tray", L"forget_places");
            case popupmenue_games_next: return LangText(L"tray", L"games_next");
            case popupmenue_games_previous: return LangText(L"tray", L"games_previous");
            case popupmenue_games_minimize: return LangText(L"tray", L"games_minimize");
            case popupmenue_games_restore: return LangText(L"tray", L"games_restore");
            case popupmenue_games_close: return LangText(L"tray", L"games_close");
            case popupmenue_games_background: return LangText(L"tray", L"games_background");
            case popupmenue_cancel_run: return LangText(L"tray", L"cancel_run");
            case popupmenue_beenden: return LangText(L"tray", L"quit");
            case popupmenue_teams: return LangText(L"tray", L"teams");
            case popupmenue_group: return MenuText(Group(item));
            case popupmenue_part:
                return MenuText(LangFormat(L"tray", L"part", {EndName(item, false), EndName(item, true)}));
            default: break;
        }
        const TrayListItem listed = ListItemOf(state_, item.id);
        if (listed.kind == Kind::kQuickLogin)
            return MenuText(QuickLoginEntry::QuickLoginCaption(state_.quickLoginEntries[listed.index]));
        if (listed.kind == Kind::kTeam) return MenuText(LangFormat(L"tray", L"team", {state_.teamNames[listed.index]}));
        if (listed.kind == Kind::kRunningGame) return MenuText(state_.runningGames[listed.index]);
        return {};
    }

    // A group's "<server>/<realm>": its first QuickLogin's.
    std::wstring Group(const TrayMenuItem& item) const {
        const TrayMenuItem* first = &item;
        while (!first->items.empty()) first = &first->items.front();
        return QuickLoginEntry::QuickLoginGroup(state_.quickLoginEntries[ListItemOf(state_, first->id).index]);
    }

    // What names the first or the last item of a part: a group by its server and realm, a
    // QuickLogin by its character, a team by its name.
    std::wstring EndName(const TrayMenuItem& part, bool last) const {
        const TrayMenuItem& end = last ? part.items.back() : part.items.front();
        if (end.id == tray_menu::popupmenue_part) return EndName(end, last);
        if (end.id == tray_menu::popupmenue_group) return Group(end);
        const TrayListItem listed = ListItemOf(state_, end.id);
        if (listed.kind == Kind::kTeam) return state_.teamNames[listed.index];
        const std::wstring& entry = state_.quickLoginEntries[listed.index];
        const std::wstring caption = QuickLoginEntry::QuickLoginCaption(entry),
                           group = QuickLoginEntry::QuickLoginGroup(entry);
        return group.empty() ? caption : caption.substr(std::min(caption.size(), group.size() + 2));
    }

    const TrayMenuState& state_;
};

}  // namespace

base::ScopedMenu BuildTrayMenu(const TrayMenuState& state) {
    base::ScopedMenu menu(CreatePopupMenu());  // popupmenue_dummy
    MenuBuilder(state).Append(menu.get(), TrayMenuItems(state));
    return menu;
}
