// The hidden window of tray mode: it owns the tray icon, receives its notifications and
// shows the popup menu. It is loaded but never shown; tray mode owns the one such window.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "base/product.h"
#include "store/settings.h"
#include "tray/program_command.h"
#include "tray/tray_login_observer.h"
#include "tray/tray_state.h"
#include "ui/form.h"

class DummyFRM : public ui::Form {
public:
    DummyFRM();

    // Loads the window; false when there is no desktop to put it on.
    bool Create();

    // The icon in the notification area that this window owns.
    const TrayIcon& Icon() const { return state_.icon; }

    // The settings file the tray works on, handed over by StartTrayMode.
    void UseSettings(Settings& settings) { state_.settings = &settings; }
    Settings& settings() const { return *state_.settings; }

    // Reads the QuickLogin and team items from the settings file.
    void ReadMenuItems();
    // What rebuilds the items after the configuration was saved (tray mode hands it over).
    void SetMenuRebuild(std::function<void()> rebuild) { rebuildMenu_ = std::move(rebuild); }
    // Removes every QuickLogin item but the first.
    void ClearQuickLogins();
    const TrayMenuState& MenuState() const { return state_.menu; }
    // While a login runs its items are greyed and the menu offers to cancel it.
    void SetRunning(bool running) { state_.SetRunning(running); }

    // The running games as they are now, each by what the program knows of it (its character,
    // server and realm), whatever its window's title.
    void ReadRunningGames();
    // Opens the popup menu at the pointer and carries out the chosen command.
    void OpenMenu();
    // Registers the stored hotkeys anew (after a save, at start), naming those Windows refuses.
    void RegisterHotkeys();
    // Commands handed over by a second start count when they name this Corvalink (the name of
    // its single-instance lock).
    void AcceptHandedCommands(std::wstring instance) { instance_ = std::move(instance); }
    // Carries out a command from the command line; while a login runs, it waits for its end
    // (a QuickLogin chosen while a team runs goes beside it, as from the menu).
    void RunProgramCommand(const ProgramCommand& command);

protected:
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnClose() override {}  // only QuitProgram ends tray mode

private:
    // The icon's mouse notifications, which arrive at the icon box SystrayIconPic.
    void SystrayIconPic_MouseMove(UINT mouseMessage);
    void RunCommand(const TrayMenuState& shown, UINT command);
    void popupmenue_about_Click();
    void popupmenue_config_Click();
    void popupmenue_daoc_lizenzen_Click(int index);
    void popupmenue_beenden_Click();
    void popup_chars_Click(const std::wstring& entry);
    void popup_teams_Click(const std::wstring& team);
    void popupmenue_places_Click(bool remember);
    void popupmenue_games_Click(UINT command);
    // A hotkey's command for all running games (one of kGamesCommands).
    void RunGamesCommand(const std::wstring& name);
    // A hotkey pressed: its QuickLogin or team logs in, or its games come to the front; while a
    // login runs, it waits for the run's end.
    void Hotkey_Pressed(size_t index);
    void RunHotkey(const Hotkey& hotkey);
    // A login run (or a team) has ended: a hotkey that waits runs next.
    void RunEnded(LoginOutcome outcome);
    void SetTip(const std::wstring& text) const { state_.SetTip(ProductTitle(text)); }

    TrayState state_;
    TrayLoginObserver observer_{state_};
    std::function<void()> rebuildMenu_;
    std::vector<Hotkey> hotkeys_;                  // registered under their index as id
    std::vector<Hotkey> waitingHotkeys_;           // pressed while a login ran, in their order
    std::vector<ProgramCommand> waitingCommands_;  // handed over while a login ran, and the last one handed
    std::wstring instance_;
    // The popup menu as last built, and what from: a right click builds it only after a change.
    base::ScopedMenu builtMenu_;
    TrayMenuState builtFrom_;
    std::wstring builtLanguage_;
    bool menuOpen_ = false;
    UINT taskbarCreated_ = 0;
};
