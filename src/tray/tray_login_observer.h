// How the tray shows a login run: the QuickLogin items greyed and "Anmeldung abbrechen"
// offered while it runs, the awaited window in the icon's tip, the run's problems in words,
// and the help pages.
#pragma once
#include <string>

#include "login/login_observer.h"
#include "store/settings.h"
#include "tray/tray_state.h"

class TrayLoginObserver : public LoginObserver {
public:
    explicit TrayLoginObserver(TrayState& tray) : tray_(tray) {}

    void LoginStarted() override;
    bool ConfirmSecondGame() override;
    void LoginWaitingFor(GameWindow window) override;
    void LauncherShown() override;
    void LoginFailed(const LoginProblem& problem) override;
    void LoginEnded(LoginOutcome outcome) override;

    TrayState& tray() const { return tray_; }
    Settings& settings() const { return *tray_.settings; }

private:
    TrayState& tray_;
};

// Why a QuickLogin cannot log in, in words for the player.
std::wstring LoginProblemText(const LoginProblem& problem);
// The game window a run waits for, as the icon's tip names it.
std::wstring GameWindowText(GameWindow window);
