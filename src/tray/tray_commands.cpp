// The tray window's commands that act on the running games (from "Laufende Spiele") and the
// commands handed in from the command line.
#include <windows.h>

#include <iterator>
#include <optional>

#include "base/lang.h"
#include "forms/shared/games_commands.h"
#include "forms/shared/settings_messages.h"
#include "login/game_switching.h"
#include "login/running_games.h"
#include "tray/dummy_frm.h"
#include "tray/team_run.h"
#include "tray/tray_menu.h"
#include "ui/message_box.h"

namespace {

// The menu command of each of kGamesCommands, in their order.
constexpr UINT kGamesMenuCommands[] = {tray_menu::popupmenue_games_next, tray_menu::popupmenue_games_previous,
                                       tray_menu::popupmenue_games_minimize, tray_menu::popupmenue_games_restore,
                                       tray_menu::popupmenue_games_close};
static_assert(std::size(kGamesMenuCommands) == std::size(kGamesCommands));

std::optional<size_t> GamesIndex(const std::wstring& name) {
    for (size_t i = 0; i < std::size(kGamesCommands); ++i)
        if (name == kGamesCommands[i]) return i;
    return std::nullopt;
}

}  // namespace

void DummyFRM::RunGamesCommand(const std::wstring& name) {
    if (const std::optional<size_t> index = GamesIndex(name)) popupmenue_games_Click(kGamesMenuCommands[*index]);
}

void DummyFRM::RunProgramCommand(const ProgramCommand& command) {
    using Kind = ProgramCommand::Kind;
    const bool startsLogin = command.kind == Kind::kLogin || command.kind == Kind::kTeam;
    if (startsLogin && state_.RunUnderWay() && !(command.kind == Kind::kLogin && TeamRuns())) {
        waitingCommands_.push_back(command);
        SetTip(LangFormat(
            L"command", L"waits",
            {command.kind == Kind::kTeam ? command.target : QuickLoginEntry::QuickLoginCaption(command.target)}));
        return;
    }
    switch (command.kind) {
        case Kind::kLogin: popup_chars_Click(command.target); break;
        case Kind::kTeam: popup_teams_Click(command.target); break;
        case Kind::kConfig: popupmenue_config_Click(); break;
        case Kind::kFront: {
            bool found = false;
            for (const RunningGame& game : RunningGames())
                if (QuickLoginEntry::Same(game.entry, command.target)) {
                    BringGameToFront(game.window);
                    found = true;
                }
            if (!found)
                ShowError(LangFormat(L"command", L"not_running", {QuickLoginEntry::QuickLoginCaption(command.target)}));
            break;
        }
    }
}

// The commands for all running games.
void DummyFRM::popupmenue_games_Click(UINT command) {
    using namespace tray_menu;
    switch (command) {
        case popupmenue_games_next: BringNextGameToFront(1); break;
        case popupmenue_games_previous: BringNextGameToFront(-1); break;
        case popupmenue_games_minimize: MinimizeGames(); break;
        case popupmenue_games_restore: RestoreGames(); break;
        case popupmenue_games_close: {
            const size_t count = RunningGames().size();
            if (count && ui::MsgBox(LangFormat(L"tray", L"games_close_ask", {std::to_wstring(count)}),
                                    MB_YESNO | MB_ICONQUESTION) == IDYES)
                AskGamesToClose();
            break;
        }
        case popupmenue_games_background: {
            if (!CheckSettingsBeforeUse(settings())) return;
            const bool lower = !state_.menu.backgroundGamesLower;
            const SaveResult saved = settings().StoreBackgroundPriority(lower);
            if (!saved.ok()) {
                ShowError(WriteFailedText(saved));
                return;
            }
            ReportMissingBackup(saved);
            state_.menu.backgroundGamesLower = lower;
            KeepGamePriorities(lower);
            break;
        }
        default: break;
    }
}

// Remembers where the running games' windows stand, under their QuickLogins; or forgets
// every remembered place.
void DummyFRM::popupmenue_places_Click(bool remember) {
    if (!CheckSettingsBeforeUse(settings())) return;
    std::vector<StoredPlace> places;
    for (const RunningGame& game : RunningGames())
        if (const std::optional<WindowPlace> place = PlaceOf(game.window)) places.push_back({game.entry, *place});
    const SaveResult saved = remember ? settings().StoreWindowPlaces(places) : settings().ForgetWindowPlaces();
    if (!saved.ok()) ShowError(WriteFailedText(saved));
    ReportMissingBackup(saved);
}
