#include "login/game_login.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <utility>

#include "base/paths.h"
#include "login/game_windows.h"
#include "login/login_dialog.h"
#include "login/process_prio.h"

namespace {

// The timer's period: a new window is seen within this time, and between two ticks the
// program sleeps in its message loop.
constexpr UINT kTickMs = 15;
// A click that shows no effect is repeated once more than this many tenths have passed.
constexpr ULONGLONG kRepeatClickTenths = 5;

// Whole tenths of a second on the monotonic clock. The time of day would start again at
// midnight, and a wait that spans midnight would never repeat its click.
ULONGLONG TenthsNow() { return GetTickCount64() / 100; }

HWND FindLauncher(const std::vector<HWND>& ignore) {
    HWND launcher = FindTopWindow(game::kDialogClass, game::kLauncherTitleGerman, Visibility::kShown, &ignore);
    return launcher ? launcher
                    : FindTopWindow(game::kDialogClass, game::kLauncherTitleEnglish, Visibility::kShown, &ignore);
}

// The shown login dialog, confirmed by its controls.
HWND FindShownLoginDialog(const std::vector<HWND>& ignore) {
    HWND dialog = FindTopWindow(game::kDialogClass, game::kGameTitle, Visibility::kShown, &ignore);
    return game::IsLoginDialog(dialog) ? dialog : nullptr;
}

// One run, from the start of the launcher to the accepted terms. Each step waits for its
// window; the timer checks for it and repeats the step's click when it shows no effect.
class GameLoginRun {
public:
    GameLoginRun(std::wstring account, std::wstring password, std::wstring clientDir, LoginObserver& observer,
                 bool askIfRunning, GameWindowCare care)
        : account_(std::move(account)),
          password_(std::move(password)),
          clientDir_(std::move(clientDir)),
          observer_(observer),
          askIfRunning_(askIfRunning),
          care_(std::move(care)) {}
    ~GameLoginRun() { StopTimer(); }
    GameLoginRun(const GameLoginRun&) = delete;
    GameLoginRun& operator=(const GameLoginRun&) = delete;

    // Steps 1 to 3: the question, the start of the launcher, then the timer takes over.
    // False when the run ended already.
    bool Begin();
    void Cancel() { cancelRequested_ = true; }
    // One step; nothing while a step is under way.
    void Tick();

    LoginObserver& observer() const { return observer_; }
    LoginOutcome outcome() const { return outcome_; }

private:
    enum class Step { kLauncher, kGameWindow, kLoginDialog, kFillDialog, kAgreement, kTerms, kTermsClosing };

    void Wait(Step step, GameWindow window) {
        step_ = step;
        observer_.LoginWaitingFor(window);
    }
    // Clicks `target` now and remembers it for repeats.
    bool Click(HWND target) {
        clickTarget_ = target;
        const bool accepted = ClickWindow(target) != SendResult::kAccessDenied;
        // Timed from the click's end: a game that takes its time to answer is not clicked at once again.
        clickStamp_ = TenthsNow();
        return accepted;
    }
    bool RepeatClickIfDue() {
        if (TenthsNow() - clickStamp_ <= kRepeatClickTenths) return true;
        return Click(clickTarget_);
    }
    bool BeginSteps();
    // One step's check; false when the run is over.
    bool Advance();
    bool FillLoginDialog(HWND dialog, bool& answered);
    void StopTimer() {
        if (timer_) KillTimer(nullptr, std::exchange(timer_, 0));
    }
    void End(LoginOutcome outcome);

    std::wstring account_, password_, clientDir_;
    LoginObserver& observer_;
    bool askIfRunning_;
    GameWindowCare care_;
    // The windows there before the run: another game's (an earlier member of a team) carry the
    // same titles and are never driven.
    std::vector<HWND> before_;
    Step step_ = Step::kLauncher;
    UINT_PTR timer_ = 0;
    LoginOutcome outcome_ = LoginOutcome::kCompleted;
    bool cancelRequested_ = false;
    bool busy_ = false;  // a step is under way: a message box shown from it lets further messages through
    HWND gameWindow_ = nullptr, loginDialog_ = nullptr, agreementButton_ = nullptr;
    HWND clickTarget_ = nullptr;
    ULONGLONG clickStamp_ = 0;  // TenthsNow() at the last click
};

std::unique_ptr<GameLoginRun>& Slot() {
    static std::unique_ptr<GameLoginRun> run;
    return run;
}

// The run is over: it goes, then its observer hears of the end (and may start the next run).
void FinishRun() {
    const std::unique_ptr<GameLoginRun> run = std::move(Slot());
    run->observer().LoginEnded(run->outcome());
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (Slot()) Slot()->Tick();
}

bool GameLoginRun::Begin() {
    busy_ = true;
    const bool started = BeginSteps();
    busy_ = false;
    return started;
}

bool GameLoginRun::BeginSteps() {
    observer_.LoginStarted();
    // 1. A game that runs already, shown or hidden: ask before starting another. A cancel
    //    chosen while the question is open holds, whatever the answer.
    // A game is known by its running title, or as a game window of ours (which may carry its
    // character's name by now).
    const bool gameRuns =
        FindTopWindow(nullptr, game::kRunningTitle, Visibility::kShownOrHidden) || !RunningGames().empty();
    if (askIfRunning_ && gameRuns && !observer_.ConfirmSecondGame()) {
        End(LoginOutcome::kDeclined);
        return false;
    }
    if (cancelRequested_) {
        End(LoginOutcome::kCancelled);
        return false;
    }

    before_ = AllTopWindows();
    // 2.-3. Start the launcher, with the program in the background meanwhile.
    SetProcessPriority(IDLE_PRIORITY_CLASS);
    const std::wstring launcher = clientDir_ + L"\\" + game::kLauncherFile;
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, launcher.c_str(), nullptr, clientDir_.c_str(), SW_SHOWNORMAL));
    if (started <= 32) {
        SetProcessPriority(NORMAL_PRIORITY_CLASS);
        observer_.LoginFailed({LoginProblem::Kind::kStartFailed, {}, std::to_wstring(started)});
        End(LoginOutcome::kStartFailed);
        return false;
    }
    Wait(Step::kLauncher, GameWindow::kLauncher);
    timer_ = SetTimer(nullptr, 0, kTickMs, OnTick);
    return true;
}

void GameLoginRun::Tick() {
    if (busy_) return;
    busy_ = true;
    const bool goesOn = Advance();
    busy_ = false;
    if (!goesOn) FinishRun();  // this object goes
}

bool GameLoginRun::Advance() {
    if (cancelRequested_) {
        if (step_ == Step::kLauncher) SetProcessPriority(NORMAL_PRIORITY_CLASS);
        End(LoginOutcome::kCancelled);
        return false;
    }
    bool clicked = true;
    switch (step_) {
        case Step::kLauncher: {  // 4.-8.
            HWND launcher = FindLauncher(before_);
            if (!launcher) return true;
            SetProcessPriority(NORMAL_PRIORITY_CLASS);
            observer_.LauncherShown();
            HWND firstButton = FindChildWindow(launcher, nullptr, L"Button", nullptr);
            HWND play = firstButton ? GetWindow(firstButton, GW_HWNDNEXT) : nullptr;
            if (!play) observer_.LoginFailed({LoginProblem::Kind::kNoPlayButton, {}, {}});
            if (cancelRequested_) break;
            Wait(Step::kGameWindow, GameWindow::kGameWindow);
            clicked = Click(play);
            break;
        }
        case Step::kGameWindow:  // 8.-9. Play again until the game window exists.
            if ((gameWindow_ = FindTopWindow(game::kGameClass, game::kGameTitle, Visibility::kShown, &before_)) !=
                nullptr) {
                // Named and placed the moment it is there, before anything else of it is seen.
                TakeCareOfGameWindow(gameWindow_, care_);
                Wait(Step::kLoginDialog, GameWindow::kLoginDialog);
                clicked = Click(gameWindow_);
            } else {
                clicked = RepeatClickIfDue();
            }
            break;
        case Step::kLoginDialog:  // 9. The game window again until the login dialog exists.
            if ((loginDialog_ = FindShownLoginDialog(before_)) != nullptr)
                step_ = Step::kFillDialog;
            else
                clicked = RepeatClickIfDue();
            break;
        case Step::kFillDialog: {  // 10.-11. Fill it in (again while it does not answer).
            bool answered = false;
            if (!FillLoginDialog(loginDialog_, answered)) {
                End(LoginOutcome::kAccessDenied);
                return false;
            }
            if (!answered) return true;
            const std::wstring companion = ProgramDir() + L"\\Modal.exe";
            ShellExecuteW(nullptr, L"open", companion.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            Wait(Step::kAgreement, GameWindow::kAgreement);
            break;
        }
        case Step::kAgreement: {  // 12.
            HWND agreement = FindTopWindow(nullptr, game::kAgreementTitle, Visibility::kShown, &before_);
            agreementButton_ = FindChildWindow(agreement, nullptr, L"Button", game::kAcceptCaption);
            if (!agreementButton_) return true;
            Wait(Step::kTerms, GameWindow::kTerms);
            clicked = Click(agreementButton_);
            break;
        }
        case Step::kTerms: {  // 13. The agreement's button again until the terms have theirs.
            HWND terms = FindTopWindow(game::kDialogClass, game::kTermsTitle, Visibility::kShown, &before_);
            HWND termsButton = FindChildWindow(terms, nullptr, L"Button", game::kAcceptCaption);
            if (termsButton) {
                step_ = Step::kTermsClosing;
                clicked = Click(termsButton);
            } else if (!terms) {
                clicked = RepeatClickIfDue();
            }
            break;
        }
        case Step::kTermsClosing:  // 14. The terms' button again until their window closes.
            if (!FindTopWindow(game::kDialogClass, game::kTermsTitle, Visibility::kShown, &before_)) {
                // A game that titled its window anew meanwhile gets the character's name back.
                if (!care_.caption.empty() && IsWindow(gameWindow_)) SetGameText(gameWindow_, care_.caption);
                End(LoginOutcome::kCompleted);  // 15.
                return false;
            }
            clicked = RepeatClickIfDue();
            break;
    }
    if (!clicked) {
        End(LoginOutcome::kAccessDenied);
        return false;
    }
    return true;
}

// Password into the dialog's first edit field, the account into the edit field of its second
// combo box; nothing else of the dialog is touched. False when the game refused the texts;
// `answered` false when the dialog did not answer in time (the next tick tries again).
bool GameLoginRun::FillLoginDialog(HWND dialog, bool& answered) {
    const game::LoginDialogFields fields = game::LoginDialogFieldsOf(dialog);
    answered = true;
    for (auto [field, text] : {std::pair{fields.password, &password_}, std::pair{fields.account, &account_}}) {
        const SendResult result = SetGameText(field, *text);
        if (result == SendResult::kAccessDenied) return false;
        // A field that is gone is the game's business; one that hangs gets another try.
        if (result == SendResult::kNoAnswer && IsWindow(field)) answered = false;
    }
    return true;
}

void GameLoginRun::End(LoginOutcome outcome) {
    StopTimer();
    outcome_ = outcome;
    if (outcome == LoginOutcome::kAccessDenied) observer_.LoginFailed({LoginProblem::Kind::kAccessDenied, {}, {}});
}

}  // namespace

bool DriveGameLogin(const std::wstring& account, const std::wstring& password, const std::wstring& clientDir,
                    LoginObserver& observer, bool askIfRunning, GameWindowCare care) {
    if (Slot()) return false;
    Slot() = std::make_unique<GameLoginRun>(account, password, clientDir, observer, askIfRunning, std::move(care));
    // The question in Begin may let the message loop run: the run is known as running meanwhile.
    if (!Slot()->Begin()) FinishRun();
    return true;
}

bool GameLoginRunning() { return Slot() != nullptr; }

// The run ends at once, so that the menu shows its QuickLogins again straight away; while one
// of its steps is under way (its question is open), that step ends it when it returns.
void RequestLoginCancel() {
    if (!Slot()) return;
    Slot()->Cancel();
    Slot()->Tick();
}
