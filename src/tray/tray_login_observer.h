// How the tray shows a login run: the QuickLogin items greyed and "Anmeldung abbrechen"
// offered while it runs, the awaited window in the icon's tip, and the help pages.
#pragma once
#include "login/login_observer.h"

class TrayLoginObserver : public LoginObserver {
public:
    static TrayLoginObserver& Instance();

    void LoginStarted() override;
    void LoginWaitingFor(const std::wstring& window) override;
    void LauncherShown() override;
    void LoginEnded(LoginOutcome outcome) override;
};
