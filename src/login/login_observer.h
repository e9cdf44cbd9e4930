// What a login run tells the layer above it (the tray implements it): the run's start and
// end, the game window it waits for, the moments that have a help page, and why it could not
// start or go on. The login reports reasons with their values; the layer above words them.
#pragma once
#include <string>

#include "store/ini_transaction.h"

enum class LoginOutcome {
    kCompleted,     // agreements accepted
    kDeclined,      // a game runs already and the user chose not to start another
    kStartFailed,   // camelot.exe could not be started
    kCancelled,     // the user cancelled the run
    kAccessDenied,  // the game refuses our messages (it runs with higher rights)
    kTimedOut,      // not logged in within the run's time limit (its game is left running)
};

// The windows of the game that a run waits for, in their order.
enum class GameWindow { kLauncher, kGameWindow, kLoginDialog, kAgreement, kTerms };

// Why a QuickLogin cannot log in, or why its run could not go on.
struct LoginProblem {
    enum class Kind {
        kIncomplete,          // `value`: the entry, which lacks fields
        kNoClientFolder,      // `name`: the client
        kClientFolderGone,    // `name`: the client, `value`: its folder, which does not exist
        kNoLauncher,          // `name`: the client, `value`: its folder, which has no camelot.exe
        kNoServerAddress,     // `name`: the server
        kPlaceholderAddress,  // `name`: the server, `value`: its placeholder address
        kPasswordUnreadable,  // `name`: the account, protected for another user or damaged
        kNoAccount,           // `name`: the account
        kUserDatNotWritten,   // `value`: the game's user.dat, `save`: why
        kStartFailed,         // `value`: the code the shell gave for camelot.exe
        kNoPlayButton,        // the launcher has no Play button
        kAccessDenied,        // the game runs with higher rights and refuses our messages
        kTimedOut,            // `value`: the time limit in seconds, which passed after Play was pressed
    };
    Kind kind;
    std::wstring name, value;
    SaveResult save{};
};

class LoginObserver {
public:
    virtual ~LoginObserver() = default;
    // Before anything of the run happens: no second run may start until it ends.
    virtual void LoginStarted() = 0;
    // A game runs already: whether to start another one.
    virtual bool ConfirmSecondGame() = 0;
    // The run waits for this window of the game.
    virtual void LoginWaitingFor(GameWindow window) = 0;
    // The launcher window is there: the moment for its help page.
    virtual void LauncherShown() = 0;
    // The game has used the quick-start entry of its installation's user.dat: the server has
    // answered the login that the entry named with its agreement window. Another login of the
    // same installation may write its own entry from now on.
    virtual void GameTookItsEntry() {}
    // The login cannot start, or its run met a problem (shown before the run ends).
    virtual void LoginFailed(const LoginProblem& problem) = 0;
    // The run is over (its problems already reported).
    virtual void LoginEnded(LoginOutcome outcome) = 0;
};
