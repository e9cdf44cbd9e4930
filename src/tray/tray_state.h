// What the tray shows and works on: its icon, its menu's items and the settings file. The tray
// window owns it and hands it to the login observer and the team run, which change the icon's
// tip and grey the menu's items while a login runs.
#pragma once
#include <functional>
#include <string>

#include "login/game_login.h"
#include "login/login_observer.h"
#include "store/settings.h"
#include "tray/systray_icon.h"
#include "tray/tray_menu.h"

struct TrayState {
    TrayIcon icon{nullptr};  // built from the tray window's handle once it is loaded
    TrayMenuState menu;
    Settings* settings = nullptr;
    // Told when a login run (or a team) has ended, after the tray shows it as ended.
    std::function<void(LoginOutcome)> runEnded;

    void SetTip(const std::wstring& tip) const { icon.SetTip(tip); }
    // The one answer to whether a login (or a team) is under way: from its start until its end,
    // and while the driver asks its first question, before the run has told the tray.
    bool RunUnderWay() const { return menu.runInProgress || GameLoginRunning(); }
    // While a run goes on, its QuickLogin and team items are greyed and it can be cancelled.
    void SetRunning(bool running) {
        menu.quickLoginsEnabled = !running;
        menu.runInProgress = running;
        if (!running) menu.quickLoginsBesideTeam = false;
    }
};
