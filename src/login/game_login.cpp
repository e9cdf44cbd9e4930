// The login run: its steps as one table, each step's finding and acting as a short method of
// its own, and the one timer that drives every run under way, which is why the file is long. The
// game's windows are found in game_windows.h, a run's processes in process_family.h.
#include "login/game_login.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/handles.h"
#include "base/paths.h"
#include "login/game_windows.h"
#include "login/login_dialog.h"
#include "login/login_log.h"
#include "login/process_family.h"
#include "login/process_prio.h"

namespace {

// The timer's period: a new window is seen within this time, and between two ticks the
// program sleeps in its message loop.
constexpr UINT kTickMs = 15;
// A click that shows no effect is repeated once more than this many tenths have passed.
constexpr ULONGLONG kRepeatClickTenths = 5;
// How often a run looks for processes its launcher started, while the game starts.
constexpr ULONGLONG kFamilyLookTenths = 1;

// Whole tenths of a second on the monotonic clock. The time of day would start again at
// midnight, and a wait that spans midnight would never repeat its click.
ULONGLONG TenthsNow() { return GetTickCount64() / 100; }

// The program idles while any launcher starts (a launcher takes the machine's attention then)
// and is back to normal once none does.
void LauncherStarting(bool starting) {
    static int starting_count = 0;
    starting_count += starting ? 1 : -1;
    if (starting && starting_count == 1) SetProcessPriority(IDLE_PRIORITY_CLASS);
    if (!starting && starting_count == 0) SetProcessPriority(NORMAL_PRIORITY_CLASS);
}

// One run, from the start of the launcher to the accepted terms. Its steps stand in a table:
// each waits for its window, which the timer looks for, repeating the previous click while it
// shows no effect, and acts once the window is there.
class GameLoginRun {
public:
    GameLoginRun(LoginRequest request, LoginObserver& observer) : request_(std::move(request)), observer_(observer) {}
    ~GameLoginRun() { Idle(false); }
    GameLoginRun(const GameLoginRun&) = delete;
    GameLoginRun& operator=(const GameLoginRun&) = delete;

    // The question and the start of the launcher; then the timer takes over. False when the
    // run ended already.
    bool Begin();
    void Cancel() { cancelRequested_ = true; }
    // One step; false once the run is over. Nothing while a step of this run is under way.
    bool Tick();

    LoginObserver& observer() const { return observer_; }
    LoginOutcome outcome() const { return outcome_; }

private:
    // What a step's action came to.
    enum class Done { kNext, kStay, kDenied };
    // A step: the window it waits for (told to the observer when the step begins; none: it
    // waits for the end of the previous step's window), how that is found (null while it is not
    // there), what is done then, and whether the previous click is repeated meanwhile.
    struct Step {
        const wchar_t* name;  // in the log: what it waits for
        const wchar_t* done;  // in the log: what it did
        std::optional<GameWindow> awaited;
        HWND (GameLoginRun::*find)();
        Done (GameLoginRun::*act)(HWND found);
        bool repeatsClick;
        bool untilGone = false;  // acts once the window that `find` finds is gone
    };
    static const Step kSteps[];
    static const size_t kStepCount;

    // The windows of this run's processes; before the family is known, any window there was
    // not before the run.
    bool Mine(HWND window) {
        if (hasFamily_) return family_.Owns(window);
        return std::find(before_.begin(), before_.end(), window) == before_.end();
    }
    HWND FindMine(const wchar_t* cls, const wchar_t* title) {
        return FindTopWindow(cls, title, Visibility::kShown, [this](HWND w) { return Mine(w); });
    }

    HWND FindLauncher();
    Done PressPlay(HWND launcher);
    HWND FindGameWindow() { return FindMine(game::kGameClass, game::kGameTitle); }
    Done TakeGameWindow(HWND window);
    HWND FindLoginDialog();
    Done FillLoginDialog(HWND dialog);
    HWND FindAgreementButton() {
        return FindChildWindow(FindMine(nullptr, game::kAgreementTitle), nullptr, L"Button", game::kAcceptCaption);
    }
    Done AcceptAgreement(HWND button);
    HWND FindTerms() { return FindMine(game::kDialogClass, game::kTermsTitle); }
    HWND FindTermsButton() { return FindChildWindow(FindTerms(), nullptr, L"Button", game::kAcceptCaption); }
    Done AcceptTerms(HWND button) { return Click(button) ? Done::kNext : Done::kDenied; }
    Done Finish(HWND);

    bool BeginSteps();
    void Enter(size_t step);
    // One look at the current step; false when the run is over.
    bool Advance();
    // Clicks `target` now and remembers it for repeats; false when the game refused it.
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
    void Idle(bool idle) {
        if (idle != idling_) LauncherStarting(idling_ = idle);
    }
    void Log(const std::wstring& what) const { LogLogin(request_.who, what); }
    void End(LoginOutcome outcome);

    LoginRequest request_;
    LoginObserver& observer_;
    ProcessFamily family_;
    bool hasFamily_ = false;
    std::vector<HWND> before_;  // the windows there at the start, while the family is unknown
    size_t step_ = 0;
    LoginOutcome outcome_ = LoginOutcome::kCompleted;
    bool cancelRequested_ = false, idling_ = false, launcherSeen_ = false;
    bool busy_ = false;  // a step is under way: a message box shown from it lets further messages through
    HWND gameWindow_ = nullptr;
    HWND clickTarget_ = nullptr;
    ULONGLONG clickStamp_ = 0;   // TenthsNow() at the last click
    ULONGLONG playStamp_ = 0;    // TenthsNow() when Play was pressed; 0 before
    ULONGLONG familyStamp_ = 0;  // TenthsNow() at the last look for the family's new processes
    ULONGLONG beginStamp_ = 0;
};

// Steps 4 to 15, in their order.
const GameLoginRun::Step GameLoginRun::kSteps[] = {
    {L"launcher", L"Play pressed", GameWindow::kLauncher, &GameLoginRun::FindLauncher, &GameLoginRun::PressPlay, false},
    {L"game window", L"game window there, clicked", GameWindow::kGameWindow, &GameLoginRun::FindGameWindow,
     &GameLoginRun::TakeGameWindow, true},
    {L"login dialog", L"login dialog filled in, Modal.exe started for it", GameWindow::kLoginDialog,
     &GameLoginRun::FindLoginDialog, &GameLoginRun::FillLoginDialog, true},
    {L"agreement", L"agreement accepted (the game has used its quick-start entry)", GameWindow::kAgreement,
     &GameLoginRun::FindAgreementButton, &GameLoginRun::AcceptAgreement, false},
    {L"terms", L"terms accepted", GameWindow::kTerms, &GameLoginRun::FindTermsButton, &GameLoginRun::AcceptTerms, true},
    {L"terms closed", L"terms closed", std::nullopt, &GameLoginRun::FindTerms, &GameLoginRun::Finish, true, true},
};
const size_t GameLoginRun::kStepCount = std::size(kSteps);

// Every run under way, each known by a number, and the one timer that drives them all.
struct Runs {
    std::vector<std::pair<int, std::unique_ptr<GameLoginRun>>> list;
    UINT_PTR timer = 0;
    int lastId = 0;

    GameLoginRun* Find(int id) {
        for (auto& [runId, run] : list)
            if (runId == id) return run.get();
        return nullptr;
    }
    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const auto& entry : list) ids.push_back(entry.first);
        return ids;
    }
};

Runs& AllRuns() {
    static Runs runs;
    return runs;
}

// The run is over: it goes, then its observer hears of the end (and may start further runs).
void FinishRun(int id) {
    Runs& runs = AllRuns();
    auto it = std::find_if(runs.list.begin(), runs.list.end(), [id](const auto& entry) { return entry.first == id; });
    if (it == runs.list.end()) return;
    const std::unique_ptr<GameLoginRun> run = std::move(it->second);
    runs.list.erase(it);
    if (runs.list.empty() && runs.timer) KillTimer(nullptr, std::exchange(runs.timer, 0));
    run->observer().LoginEnded(run->outcome());
}

// Each run by its number: a run's step may show a box whose loop ticks again, and runs may end
// or begin meanwhile.
void TickRuns() {
    for (int id : AllRuns().Ids()) {
        GameLoginRun* run = AllRuns().Find(id);
        if (run && !run->Tick()) FinishRun(id);
    }
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) { TickRuns(); }

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
    if (request_.terms.askIfRunning && gameRuns && !observer_.ConfirmSecondGame()) {
        End(LoginOutcome::kDeclined);
        return false;
    }
    if (cancelRequested_) {
        End(LoginOutcome::kCancelled);
        return false;
    }

    before_ = AllTopWindows();
    beginStamp_ = TenthsNow();
    // 2.-3. Start the launcher, with the program in the background meanwhile.
    Idle(true);
    const std::wstring launcher = request_.clientDir + L"\\" + game::kLauncherFile;
    SHELLEXECUTEINFOW start{};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    start.lpFile = launcher.c_str();
    start.lpDirectory = request_.clientDir.c_str();
    start.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&start)) {
        Idle(false);
        // The code ShellExecute would give: its error numbers below 32 are the system's.
        const auto code = reinterpret_cast<INT_PTR>(start.hInstApp);
        const std::wstring value = std::to_wstring(code > 0 && code <= 32 ? code : GetLastError());
        Log(L"launcher " + launcher + L" could not start (" + value + L")");
        observer_.LoginFailed({LoginProblem::Kind::kStartFailed, {}, value});
        End(LoginOutcome::kStartFailed);
        return false;
    }
    const base::ScopedHandle process(start.hProcess);
    if (const DWORD id = process ? GetProcessId(process.get()) : 0) {
        family_ = ProcessFamily(id);
        hasFamily_ = true;
    }
    Log(L"launcher " + launcher + L" started (process " + std::to_wstring(process ? GetProcessId(process.get()) : 0) +
        L")");
    Enter(0);
    Runs& runs = AllRuns();
    if (!runs.timer) runs.timer = SetTimer(nullptr, 0, kTickMs, OnTick);
    return true;
}

void GameLoginRun::Enter(size_t step) {
    step_ = step;
    if (kSteps[step].awaited) observer_.LoginWaitingFor(*kSteps[step].awaited);
}

bool GameLoginRun::Tick() {
    if (busy_) return true;
    busy_ = true;
    const bool goesOn = Advance();
    busy_ = false;
    return goesOn;
}

bool GameLoginRun::Advance() {
    if (cancelRequested_) {
        Log(L"cancelled while waiting for the " + std::wstring(kSteps[step_].name));
        End(LoginOutcome::kCancelled);
        return false;
    }
    // The limit counts from Play; a launcher that never shows at all counts from the start. One
    // that shows and keeps Play greyed (it patches) is waited for.
    const ULONGLONG since = playStamp_ ? playStamp_ : (launcherSeen_ ? 0 : beginStamp_);
    if (request_.terms.timeLimitSeconds && since && TenthsNow() - since > 10ULL * request_.terms.timeLimitSeconds) {
        Log(L"given up after " + std::to_wstring(request_.terms.timeLimitSeconds) + L" s waiting for the " +
            kSteps[step_].name + L"; its game is left running");
        observer_.LoginFailed({LoginProblem::Kind::kTimedOut, {}, std::to_wstring(request_.terms.timeLimitSeconds)});
        End(LoginOutcome::kTimedOut);
        return false;
    }
    if (hasFamily_ && step_ <= 1 && TenthsNow() - familyStamp_ >= kFamilyLookTenths) {
        familyStamp_ = TenthsNow();
        family_.LookForChildren();
    }
    const Step& step = kSteps[step_];
    HWND found = (this->*step.find)();
    Done done = Done::kStay;
    if (step.untilGone ? !found : found != nullptr) {
        done = (this->*step.act)(found);
    } else if (step.repeatsClick && !RepeatClickIfDue()) {
        done = Done::kDenied;
    }
    if (done == Done::kDenied) {
        End(LoginOutcome::kAccessDenied);
        return false;
    }
    if (done == Done::kNext) {
        if (step_ + 1 == kStepCount) return false;  // 15. ended by the last step
        Log(step.done);
        Enter(step_ + 1);
    }
    return true;
}

HWND GameLoginRun::FindLauncher() {
    HWND launcher = FindMine(game::kDialogClass, game::kLauncherTitleGerman);
    return launcher ? launcher : FindMine(game::kDialogClass, game::kLauncherTitleEnglish);
}

// 4.-8. The launcher is there: the program back to normal, its help page, then Play, which is
// its second button. A launcher that still checks for patches keeps Play disabled: it is
// waited for.
GameLoginRun::Done GameLoginRun::PressPlay(HWND launcher) {
    HWND firstButton = FindChildWindow(launcher, nullptr, L"Button", nullptr);
    HWND play = firstButton ? GetWindow(firstButton, GW_HWNDNEXT) : nullptr;
    if (!launcherSeen_) {
        launcherSeen_ = true;
        Idle(false);
        Log(L"launcher shown");
        observer_.LauncherShown();
    }
    if (play && !IsWindowEnabled(play)) return Done::kStay;
    if (!play) observer_.LoginFailed({LoginProblem::Kind::kNoPlayButton, {}, {}});
    if (cancelRequested_) return Done::kStay;  // the help page was open: the next tick ends the run
    playStamp_ = TenthsNow();
    return Click(play) ? Done::kNext : Done::kDenied;
}

// 8.-9. Named and placed the moment it is there, before anything else of it is seen; then a
// click on it brings the login dialog.
GameLoginRun::Done GameLoginRun::TakeGameWindow(HWND window) {
    gameWindow_ = window;
    TakeCareOfGameWindow(gameWindow_, request_.care);
    return Click(gameWindow_) ? Done::kNext : Done::kDenied;
}

// The run's shown login dialog, confirmed by its controls.
HWND GameLoginRun::FindLoginDialog() {
    HWND dialog = FindMine(game::kDialogClass, game::kGameTitle);
    return game::IsLoginDialog(dialog) ? dialog : nullptr;
}

// 10.-11. The password into the dialog's first edit field, the account into the edit field of
// its second combo box; nothing else of the dialog is touched. Again while it does not answer.
// Then Modal.exe confirms exactly this dialog.
GameLoginRun::Done GameLoginRun::FillLoginDialog(HWND dialog) {
    const game::LoginDialogFields fields = game::LoginDialogFieldsOf(dialog);
    bool answered = true;
    for (auto [field, text] :
         {std::pair{fields.password, &request_.password}, std::pair{fields.account, &request_.account}}) {
        const SendResult result = SetGameText(field, *text);
        if (result == SendResult::kAccessDenied) return Done::kDenied;
        // A field that is gone is the game's business; one that hangs gets another try.
        if (result == SendResult::kNoAnswer && IsWindow(field)) answered = false;
    }
    if (!answered) return Done::kStay;
    const std::wstring companion = ProgramDir() + L"\\Modal.exe";
    const std::wstring which = std::to_wstring(reinterpret_cast<UINT_PTR>(dialog));
    ShellExecuteW(nullptr, L"open", companion.c_str(), which.c_str(), nullptr, SW_SHOWNORMAL);
    return Done::kNext;
}

// 12. The agreement is the server's answer to the login: the game has used its quick-start
// entry by now.
GameLoginRun::Done GameLoginRun::AcceptAgreement(HWND button) {
    observer_.GameTookItsEntry();
    return Click(button) ? Done::kNext : Done::kDenied;
}

// 14.-15. The terms are closed: a game that titled its window anew meanwhile gets the
// character's name back.
GameLoginRun::Done GameLoginRun::Finish(HWND) {
    if (!request_.care.caption.empty() && IsWindow(gameWindow_)) SetGameText(gameWindow_, request_.care.caption);
    Log(L"logged in after " + std::to_wstring((TenthsNow() - beginStamp_) / 10) + L"." +
        std::to_wstring((TenthsNow() - beginStamp_) % 10) + L" s");
    End(LoginOutcome::kCompleted);
    return Done::kNext;
}

void GameLoginRun::End(LoginOutcome outcome) {
    Idle(false);
    outcome_ = outcome;
    if (outcome == LoginOutcome::kAccessDenied) {
        Log(L"the game refused Corvalink's messages");
        observer_.LoginFailed({LoginProblem::Kind::kAccessDenied, {}, {}});
    }
}

}  // namespace

bool DriveGameLogin(LoginRequest request, LoginObserver& observer) {
    Runs& runs = AllRuns();
    if (!runs.list.empty() && !request.terms.besideOthers) return false;
    const int id = ++runs.lastId;
    runs.list.emplace_back(id, std::make_unique<GameLoginRun>(std::move(request), observer));
    // The question in Begin may let the message loop run: the run is known as running meanwhile.
    if (!runs.Find(id)->Begin()) FinishRun(id);
    return true;
}

bool GameLoginRunning() { return !AllRuns().list.empty(); }

// The runs end at once, so that the menu shows its QuickLogins again straight away; a run whose
// step is under way (its question is open) ends when that step returns.
void RequestLoginCancel() {
    for (int id : AllRuns().Ids())
        if (GameLoginRun* run = AllRuns().Find(id)) run->Cancel();
    TickRuns();
}
