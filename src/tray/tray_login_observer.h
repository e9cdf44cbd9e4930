// How the tray shows a login run: the QuickLogin items greyed and "Anmeldung abbrechen"
// offered while it runs, the awaited window in the icon's tip, the run's problems in words,
// and the help pages.
#pragma once
#include <string>

#include "login/login_observer.h"
#include "store/settings.h"

// What a login run changes in the tray window; the window hands itself over as this.
class TrayStatus {
public:
    virtual ~TrayStatus() = default;
    // The icon's tip.
    virtual void SetTip(const std::wstring& tip) = 0;
    // While a run goes on, its QuickLogin and team items are greyed and it can be cancelled.
    virtual void SetRunning(bool running) = 0;
    virtual Settings& settings() const = 0;
};

class TrayLoginObserver : public LoginObserver {
public:
    explicit TrayLoginObserver(TrayStatus& tray) : tray_(tray) {}

    void LoginStarted() override;
    bool ConfirmSecondGame() override;
    void LoginWaitingFor(GameWindow window) override;
    void LauncherShown() override;
    void LoginFailed(const LoginProblem& problem) override;
    void LoginEnded(LoginOutcome outcome) override;

    TrayStatus& tray() const { return tray_; }

private:
    TrayStatus& tray_;
};

// Why a QuickLogin cannot log in, in words for the player.
std::wstring LoginProblemText(const LoginProblem& problem);
// The game window a run waits for, as the icon's tip names it.
std::wstring GameWindowText(GameWindow window);
