// What a login run tells the layer above it (the tray implements it): the run's start and
// end, the game window it waits for, and the moments that have a help page.
#pragma once
#include <string>

enum class LoginOutcome {
    kCompleted,     // agreements accepted
    kDeclined,      // a game runs already and the user chose not to start another
    kStartFailed,   // camelot.exe could not be started
    kCancelled,     // the user cancelled the run
    kAccessDenied,  // the game refuses our messages (it runs with higher rights)
};

class LoginObserver {
public:
    virtual ~LoginObserver() = default;
    // Before anything of the run happens: no second run may start until it ends.
    virtual void LoginStarted() = 0;
    // The run waits for this window of the game ("den DAoC-Launcher").
    virtual void LoginWaitingFor(const std::wstring& window) = 0;
    // The launcher window is there: the moment for its help page.
    virtual void LauncherShown() = 0;
    // The run is over (its messages already shown).
    virtual void LoginEnded(LoginOutcome outcome) = 0;
};
