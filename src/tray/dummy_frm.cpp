#include "tray/dummy_frm.h"

#include <shellapi.h>

#include <algorithm>

#include "base/lang.h"
#include "base/product.h"
#include "base/quit.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/info/about_frm.h"
#include "forms/info/lizenz_frm.h"
#include "forms/shared/games_commands.h"
#include "forms/shared/settings_messages.h"
#include "login/game_login.h"
#include "login/game_names.h"
#include "login/game_switching.h"
#include "login/quick_login.h"
#include "login/running_games.h"
#include "store/settings.h"
#include "tray/hotkey_decision.h"
#include "tray/team_run.h"
#include "ui/message_box.h"

namespace {

// How often the running games' titles are checked (a game titles its window anew when it enters
// the world); the check reads each title without a message to the game.
constexpr UINT_PTR kCaptionTimer = 1;
constexpr UINT kCaptionCheckMs = 1000;

}  // namespace

DummyFRM::DummyFRM() : Form({kProductName, 0, 0, {}}, {}) {}

bool DummyFRM::Create() {
    Load();
    if (!Loaded()) return false;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    state_.icon = TrayIcon(hwnd());
    state_.runEnded = [this](LoginOutcome outcome) { RunEnded(outcome); };
    SetTimer(hwnd(), kCaptionTimer, kCaptionCheckMs, nullptr);
    return true;
}

void DummyFRM::ReadMenuItems() {
    TrayMenuState& menu = state_.menu;
    menu.quickLoginEntries = settings().ReadQuickLoginTexts();
    menu.teamNames = settings().TeamNames();
    menu.backgroundGamesLower = settings().LowersBackgroundGames();
}

void DummyFRM::ClearQuickLogins() {
    if (state_.menu.quickLoginEntries.size() > 1) state_.menu.quickLoginEntries.resize(1);
}

void DummyFRM::ReadRunningGames() {
    state_.menu.runningGames.clear();
    state_.menu.runningWindows.clear();
    for (const RunningGame& game : RunningGames()) {
        state_.menu.runningGames.push_back(game.Name());
        state_.menu.runningWindows.push_back(game.window);
    }
}

void DummyFRM::OpenMenu() {
    // The menu that is open is not built anew under its own feet.
    if (menuOpen_) return;
    ReadRunningGames();
    // The commands are decoded against the menu that was shown, whatever changes meanwhile.
    const TrayMenuState shown = state_.menu;
    if (!builtMenu_ || shown != builtFrom_ || SelectedLanguage() != builtLanguage_) {
        builtMenu_ = BuildTrayMenu(shown);
        builtFrom_ = shown;
        builtLanguage_ = SelectedLanguage();
    }
    HMENU menu = builtMenu_.get();
    POINT at{};
    GetCursorPos(&at);
    // The menu closes on a click elsewhere only when its owner is the foreground window; the game
    // the player was at stays the one in front for the menu's commands.
    NoteGameInFront();
    SetForegroundWindow(hwnd());
    menuOpen_ = true;
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, hwnd(), nullptr));
    menuOpen_ = false;
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (command) RunCommand(shown, command);
}

void DummyFRM::SystrayIconPic_MouseMove(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_RBUTTONDOWN: OpenMenu(); break;
        case WM_LBUTTONDBLCLK: popupmenue_config_Click(); break;
        case WM_LBUTTONDOWN: FocusAboutWindow(); break;
        // The keyboard on the icon: Shift+F10 or the menu key opens the menu, Enter or Space
        // does what a double click does (the menu's default item).
        case WM_CONTEXTMENU: OpenMenu(); break;
        case NIN_KEYSELECT: popupmenue_config_Click(); break;
        default: break;  // pointer movement, releases, middle button
    }
}

void DummyFRM::RunCommand(const TrayMenuState& shown, UINT command) {
    using namespace tray_menu;
    if (command == popupmenue_about)
        popupmenue_about_Click();
    else if (command == popupmenue_config)
        popupmenue_config_Click();
    else if (command == popupmenue_daoc_lizenzen[0])
        popupmenue_daoc_lizenzen_Click(0);
    else if (command == popupmenue_daoc_lizenzen[1])
        popupmenue_daoc_lizenzen_Click(1);
    else if (command == popupmenue_cancel_run)
        CancelLogins();
    else if (command == popupmenue_beenden)
        popupmenue_beenden_Click();
    else if (command == popupmenue_places_remember)
        popupmenue_places_Click(true);
    else if (command == popupmenue_places_forget)
        popupmenue_places_Click(false);
    else if (command >= popupmenue_games_next && command <= popupmenue_games_background)
        popupmenue_games_Click(command);
    else if (const TrayListItem item = ListItemOf(shown, command); item.kind == TrayListItem::Kind::kQuickLogin)
        popup_chars_Click(shown.quickLoginEntries[item.index]);
    else if (item.kind == TrayListItem::Kind::kTeam)
        popup_teams_Click(shown.teamNames[item.index]);
    else if (item.kind == TrayListItem::Kind::kRunningGame)
        BringGameToFront(shown.runningWindows[item.index]);
}

void DummyFRM::popupmenue_about_Click() { ShowAboutModal(); }

// A save rebuilds the menu's items from the file.
void DummyFRM::popupmenue_config_Click() {
    ShowLoginConfig(settings(), [this] {
        if (rebuildMenu_)
            rebuildMenu_();
        else
            ReadMenuItems();
    });
}

// Index 0 the end-user agreement, 1 the rules of conduct.
void DummyFRM::popupmenue_daoc_lizenzen_Click(int index) {
    if (!CheckSettingsBeforeUse(settings())) return;
    const std::vector<std::wstring> clients = settings().ListSettingKeys(section::kClients);
    if (clients.empty()) {
        ui::MsgBox(LangText(L"tray", L"no_clients"), MB_OK);
        return;
    }
    ShowAgreementFile(settings().ClientDir(clients.front()) + L"\\" + game::kAgreementFiles[index]);
}

void DummyFRM::popupmenue_beenden_Click() { QuitProgram(); }

void DummyFRM::popup_teams_Click(const std::wstring& team) { RunTeam(team, observer_); }

void DummyFRM::popup_chars_Click(const std::wstring& entry) {
    // The item logs in the entry it shows, wherever the file holds it now: the file may have
    // been changed by hand since the menu was built.
    if (!CheckSettingsBeforeUse(settings())) return;
    if (!settings().HasQuickLogin(entry)) {
        ReadMenuItems();  // the next menu shows what the file holds
        ShowError(LangFormat(L"tray", L"entry_gone", {QuickLoginEntry::QuickLoginCaption(entry), settings().file()}));
        return;
    }
    if (TeamRuns())
        LogInBesideTeam(entry, observer_);
    else
        RunQuickLogin(settings(), entry, observer_);
}

namespace {

// A message that names the first few of many problems and how many more there are, so that its
// box stays within the screen.
std::wstring FirstProblems(const std::vector<std::wstring>& problems) {
    constexpr size_t kShown = 6;
    std::wstring text;
    for (size_t i = 0; i < problems.size() && i < kShown; ++i) text += (i ? L"\r\n\r\n" : L"") + problems[i];
    if (problems.size() > kShown)
        text += L"\r\n\r\n" + LangFormat(L"tray", L"hotkey_more", {std::to_wstring(problems.size() - kShown)});
    return text;
}

}  // namespace

void DummyFRM::RegisterHotkeys() {
    for (size_t id = 0; id < hotkeys_.size(); ++id) UnregisterHotKey(hwnd(), static_cast<int>(id));
    const StoredHotkeys stored = settings().ReadHotkeys();
    hotkeys_ = stored.hotkeys;
    std::vector<std::wstring> problems;
    for (const std::wstring& keys : stored.repeated)
        problems.push_back(LangFormat(L"tray", L"hotkey_repeated", {keys}));
    for (const auto& [keys, value] : stored.unread)
        problems.push_back(LangFormat(L"tray", L"hotkey_no_target", {keys, value}));
    std::vector<std::pair<unsigned, unsigned>> registered(hotkeys_.size());  // modifiers and key, by id
    for (size_t id = 0; id < hotkeys_.size(); ++id) {
        const Hotkey& hotkey = hotkeys_[id];
        unsigned modifiers = 0, key = 0;
        if (!Hotkey::ParseKeys(hotkey.keys, modifiers, key)) {
            problems.push_back(LangFormat(L"tray", L"hotkey_unknown", {hotkey.keys}));
            continue;
        }
        // The same keys written another way ("Alt+Strg+1" beside "Strg+Alt+1"): the first counts.
        const auto same = std::find(registered.begin(), registered.begin() + static_cast<std::ptrdiff_t>(id),
                                    std::make_pair(modifiers, key));
        if (same != registered.begin() + static_cast<std::ptrdiff_t>(id)) {
            problems.push_back(
                LangFormat(L"tray", L"hotkey_twice",
                           {hotkey.keys, hotkeys_[static_cast<size_t>(same - registered.begin())].keys}));
            continue;
        }
        registered[id] = {modifiers, key};
        if (RegisterHotKey(hwnd(), static_cast<int>(id), modifiers | MOD_NOREPEAT, key)) continue;
        const std::wstring target = hotkey.kind == Hotkey::Kind::kTeam ? LangFormat(L"tray", L"team", {hotkey.target})
                                    : hotkey.kind == Hotkey::Kind::kGames
                                        ? GamesCommandCaption(hotkey.target)
                                        : QuickLoginEntry::QuickLoginCaption(hotkey.target);
        problems.push_back(LangFormat(L"tray", L"hotkey_taken", {ShownKeys(hotkey.keys), target}));
    }
    if (!problems.empty()) ShowError(FirstProblems(problems));
}

namespace {

// Posted to the tray window once a run has ended: the next waiting hotkey runs.
constexpr UINT kRunWaitingHotkey = WM_APP + 2;
// Posted once a command was handed over: it runs after the second start has its answer.
constexpr UINT kRunHandedCommand = WM_APP + 3;
// WM_COPYDATA's mark of a handed command.
constexpr ULONG_PTR kHandedCommandMark = 0x4B4C5643;  // "CVLK"

}  // namespace

void DummyFRM::Hotkey_Pressed(size_t index) {
    if (index >= hotkeys_.size()) return;
    // The running games' commands start no login: they act at once.
    if (hotkeys_[index].kind == Hotkey::Kind::kGames) {
        RunGamesCommand(hotkeys_[index].target);
        return;
    }
    // While a login runs, its QuickLogins are greyed in the menu; a hotkey waits until it has
    // ended (a second login would write a user.dat that the running one may still read).
    if (state_.RunUnderWay()) {
        if (std::find(waitingHotkeys_.begin(), waitingHotkeys_.end(), hotkeys_[index]) == waitingHotkeys_.end())
            waitingHotkeys_.push_back(hotkeys_[index]);
        SetTip(LangFormat(L"tray", L"hotkey_waits", {ShownKeys(hotkeys_[index].keys)}));
        return;
    }
    RunHotkey(hotkeys_[index]);
}

void DummyFRM::RunEnded(LoginOutcome outcome) {
    // A cancelled run takes the hotkeys pressed meanwhile with it.
    if (outcome == LoginOutcome::kCancelled || outcome == LoginOutcome::kDeclined) waitingHotkeys_.clear();
    if (!waitingHotkeys_.empty()) PostMessageW(hwnd(), kRunWaitingHotkey, 0, 0);
    if (!waitingCommands_.empty()) PostMessageW(hwnd(), kRunHandedCommand, 0, 0);
}

void DummyFRM::RunHotkey(const Hotkey& hotkey) {
    if (!CheckSettingsBeforeUse(settings())) return;
    const std::vector<std::wstring> members =
        hotkey.kind == Hotkey::Kind::kTeam ? settings().TeamMembers(hotkey.target) : std::vector<std::wstring>();
    const HotkeyDecision decision = DecideHotkey(hotkey, settings().ReadQuickLoginTexts(), members, RunningGames());
    using Action = HotkeyDecision::Action;
    switch (decision.action) {
        case Action::kLogIn: RunQuickLogin(settings(), hotkey.target, observer_); break;
        case Action::kStartTeam: RunTeam(hotkey.target, observer_); break;
        case Action::kBringToFront:
            for (HWND window : decision.windows) BringGameToFront(window);
            break;
        case Action::kQuickLoginGone:
            ShowError(LangFormat(L"tray", L"hotkey_gone_quick",
                                 {ShownKeys(hotkey.keys), QuickLoginEntry::QuickLoginCaption(hotkey.target)}));
            break;
        case Action::kTeamGone:
            ShowError(LangFormat(L"tray", L"hotkey_gone_team", {ShownKeys(hotkey.keys), hotkey.target}));
            break;
    }
}

INT_PTR DummyFRM::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    if (msg == WM_HOTKEY) {
        handled = true;
        Hotkey_Pressed(static_cast<size_t>(wParam));
        return 0;
    }
    if (msg == WM_TIMER && wParam == kCaptionTimer) {
        handled = true;
        KeepGameCaptions();
        NoteGameInFront();
        if (state_.menu.backgroundGamesLower) KeepGamePriorities(true);
        return 0;
    }
    if (msg == WM_COPYDATA) {
        // A second start hands its command over; the answer says whether it was taken.
        handled = true;
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, FALSE);
        if (!data || data->dwData != kHandedCommandMark || instance_.empty() || !data->lpData) return TRUE;
        const std::wstring handed(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        const std::optional<ProgramCommand> command = ProgramCommand::FromHanded(handed, instance_);
        if (!command) return TRUE;
        // Carried out once the sender has its answer: a question of the login must not hold it.
        waitingCommands_.insert(waitingCommands_.begin(), *command);
        PostMessageW(hwnd(), kRunHandedCommand, 0, 0);
        // A dialog answers WM_COPYDATA through its message result.
        SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    if (msg == kRunHandedCommand) {
        handled = true;
        // The next one: it runs, or waits again for the end of a run under way.
        if (!waitingCommands_.empty()) {
            const ProgramCommand next = waitingCommands_.front();
            waitingCommands_.erase(waitingCommands_.begin());
            RunProgramCommand(next);
        }
        return 0;
    }
    if (msg == kRunWaitingHotkey) {
        handled = true;
        if (!waitingHotkeys_.empty() && !state_.RunUnderWay()) {
            const Hotkey next = waitingHotkeys_.front();
            waitingHotkeys_.erase(waitingHotkeys_.begin());
            RunHotkey(next);
        }
        return 0;
    }
    if (msg == kTrayCallbackMessage) {
        handled = true;
        SystrayIconPic_MouseMove(static_cast<UINT>(LOWORD(lParam)));
        return 0;
    }
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        // The notification area was recreated (the shell restarted): show the icon again.
        handled = true;
        state_.icon.ReAdd(kProductName);
        return 0;
    }
    handled = false;
    return 0;
}
