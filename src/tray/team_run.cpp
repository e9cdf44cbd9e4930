#include "tray/team_run.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "base/lang.h"
#include "base/paths.h"
#include "base/product.h"
#include "forms/shared/settings_messages.h"
#include "login/game_windows.h"
#include "login/login_log.h"
#include "login/quick_login.h"
#include "store/ini_handling.h"
#include "ui/message_box.h"

namespace {

// How often the team looks whether its next member may start.
constexpr UINT kScheduleMs = 50;

class TeamRun;

// The installations whose user.dat a login beside a team has written and its game not yet
// used (in capitals): no member of the team starts there meanwhile.
std::vector<std::wstring>& HeldBesideTeam() {
    static std::vector<std::wstring> held;
    return held;
}

void Release(const std::wstring& installation) {
    std::vector<std::wstring>& held = HeldBesideTeam();
    if (auto it = std::find(held.begin(), held.end(), installation); it != held.end()) held.erase(it);
}

struct Member {
    Member(std::wstring entryText, std::wstring shownCaption, std::wstring clientFolder)
        : entry(std::move(entryText)), caption(std::move(shownCaption)), installation(std::move(clientFolder)) {}

    enum class State { kWaiting, kUnderWay, kLoggedIn, kFailed, kNotStarted };
    std::wstring entry;         // the QuickLogin's whole entry
    std::wstring caption;       // as the menu names it
    std::wstring installation;  // its client folder, in capitals: members of one share its user.dat
    State state = State::kWaiting;
    // Until its game has used the quick-start entry, no other member of its installation starts.
    bool holdsUserDat = false;
    std::optional<GameWindow> awaited;
    std::wstring reason;  // why it did not log in
};

// Hears one member's run and hands what it hears to the team.
class MemberObserver : public LoginObserver {
public:
    MemberObserver(TeamRun& team, size_t index) : team_(team), index_(index) {}
    void LoginStarted() override {}
    bool ConfirmSecondGame() override { return true; }  // the team asked once, before anybody started
    void LoginWaitingFor(GameWindow window) override;
    void LauncherShown() override;
    void GameTookItsEntry() override;
    void LoginFailed(const LoginProblem& problem) override;
    void LoginEnded(LoginOutcome outcome) override;

private:
    TeamRun& team_;
    size_t index_;
};

class TeamRun {
public:
    TeamRun(TrayLoginObserver& tray, std::wstring name, std::vector<Member> members, TeamPacing pacing)
        : tray_(tray), name_(std::move(name)), members_(std::move(members)), pacing_(pacing) {
        for (size_t i = 0; i < members_.size(); ++i) observers_.push_back(std::make_unique<MemberObserver>(*this, i));
    }
    ~TeamRun() { StopTimer(); }
    TeamRun(const TeamRun&) = delete;
    TeamRun& operator=(const TeamRun&) = delete;

    // Asks about a running game (unless `ask` is false: a retry, which the player chose with the
    // team's games running), then lets the schedule start the members. False when the player
    // chose not to start.
    bool Begin(bool ask = true);
    void Cancel() {
        if (cancelled_) return;
        cancelled_ = true;
        LogLogin(Who(), L"cancelled: no further member starts");
    }
    bool cancelled() const { return cancelled_; }
    const std::wstring& name() const { return name_; }
    // Whether a member still to log in, or logging in, uses the installation.
    bool Uses(const std::wstring& installation) const {
        return std::any_of(members_.begin(), members_.end(), [&](const Member& m) {
            return m.installation == installation &&
                   (m.state == Member::State::kWaiting || m.state == Member::State::kUnderWay);
        });
    }
    // Starts whoever may start now; ends the team once nobody is waiting or under way.
    void Schedule();

    Member& member(size_t i) { return members_[i]; }
    TrayLoginObserver& tray() const { return tray_; }
    void LauncherShown() {
        if (!launcherHelpShown_) {
            launcherHelpShown_ = true;
            tray_.LauncherShown();
        }
    }
    void ShowProgress() const;

private:
    std::wstring Who() const { return std::wstring(L"Team") + L' ' + name_; }
    size_t Count(Member::State state) const {
        return static_cast<size_t>(
            std::count_if(members_.begin(), members_.end(), [state](const Member& m) { return m.state == state; }));
    }
    // Whether the member may start now: its installation's user.dat is free.
    bool InstallationFree(const Member& member) const {
        const std::vector<std::wstring>& held = HeldBesideTeam();
        return std::find(held.begin(), held.end(), member.installation) == held.end() &&
               std::none_of(members_.begin(), members_.end(),
                            [&](const Member& m) { return m.holdsUserDat && m.installation == member.installation; });
    }
    void Start(size_t index);
    void Finish();
    void StopTimer() {
        if (timer_) KillTimer(nullptr, std::exchange(timer_, 0));
    }

    TrayLoginObserver& tray_;
    std::wstring name_;
    std::vector<Member> members_;
    std::vector<std::unique_ptr<MemberObserver>> observers_;
    TeamPacing pacing_;
    UINT_PTR timer_ = 0;
    ULONGLONG lastStart_ = 0;  // GetTickCount64() at the last start; 0 before the first
    bool cancelled_ = false, launcherHelpShown_ = false, starting_ = false;
};

std::unique_ptr<TeamRun>& Current() {
    static std::unique_ptr<TeamRun> run;
    return run;
}

// The team that Begin did not start goes (declined, or cancelled during its question).
void EndUnstarted(TrayLoginObserver& tray) {
    const bool cancelled = Current()->cancelled();
    Current().reset();
    tray.LoginEnded(cancelled ? LoginOutcome::kCancelled : LoginOutcome::kDeclined);
}

void CALLBACK OnSchedule(HWND, UINT, UINT_PTR, DWORD) {
    if (Current()) Current()->Schedule();
}

bool TeamRun::Begin(bool ask) {
    tray_.LoginStarted();
    tray_.tray().menu.quickLoginsBesideTeam = true;
    ShowProgress();
    std::wstring names;
    for (const Member& m : members_) names += (names.empty() ? L"" : L"; ") + m.caption;
    LogLogin(Who(), L"starts " + std::to_wstring(members_.size()) + L" members (" + names + L"), " +
                        std::to_wstring(pacing_.spacingSeconds) + L" s apart, at most " +
                        std::to_wstring(pacing_.atOnce) + L" at once, each within " +
                        std::to_wstring(pacing_.memberTimeLimitSeconds) + L" s");
    // One question for the whole team, before anybody starts: a game that runs already.
    const bool gameRuns =
        FindTopWindow(nullptr, game::kRunningTitle, Visibility::kShownOrHidden) || !RunningGames().empty();
    if (ask && gameRuns && !tray_.ConfirmSecondGame()) {
        LogLogin(Who(), L"not started: a game runs already");
        return false;
    }
    if (cancelled_) return false;
    timer_ = SetTimer(nullptr, 0, kScheduleMs, OnSchedule);
    Schedule();
    return true;
}

void TeamRun::Schedule() {
    if (starting_) return;  // a start under way lets the message loop run
    const size_t underWay = Count(Member::State::kUnderWay);
    if (cancelled_) {
        for (Member& m : members_)
            if (m.state == Member::State::kWaiting) m.state = Member::State::kNotStarted;
    }
    if (Count(Member::State::kWaiting) == 0) {
        if (underWay == 0) Finish();  // this object goes
        return;
    }
    if (underWay >= pacing_.atOnce) return;
    if (lastStart_ && GetTickCount64() - lastStart_ < 1000ULL * pacing_.spacingSeconds) return;
    // The first waiting member whose installation is free; members of other installations
    // need not wait behind one that waits for its user.dat.
    for (size_t i = 0; i < members_.size(); ++i)
        if (members_[i].state == Member::State::kWaiting && InstallationFree(members_[i])) {
            Start(i);
            return;
        }
}

void TeamRun::Start(size_t index) {
    Member& m = members_[index];
    m.state = Member::State::kUnderWay;
    m.holdsUserDat = true;
    lastStart_ = GetTickCount64();
    ShowProgress();
    starting_ = true;
    const RunTerms terms{false, true, pacing_.memberTimeLimitSeconds};
    const bool started = RunQuickLogin(tray_.settings(), m.entry, *observers_[index], terms);
    starting_ = false;
    // Not started at all: its problem was heard; a run that started has its own end.
    if (!started && m.state == Member::State::kUnderWay) {
        m.state = Member::State::kFailed;
        m.holdsUserDat = false;
    }
    ShowProgress();
}

void TeamRun::ShowProgress() const {
    tray_.tray().SetTip(ProductTitle(LangFormat(
        L"team", L"progress",
        {name_, std::to_wstring(Count(Member::State::kLoggedIn)), std::to_wstring(members_.size()),
         std::to_wstring(Count(Member::State::kUnderWay)), std::to_wstring(Count(Member::State::kFailed))})));
}

// The one message of the team's end (none when everybody logged in), then the tray hears of the
// end; a retry of the members that failed starts as a team of its own.
void TeamRun::Finish() {
    StopTimer();
    const size_t loggedIn = Count(Member::State::kLoggedIn);
    const bool allIn = loggedIn == members_.size();
    LogLogin(Who(), L"ended: " + std::to_wstring(loggedIn) + L" of " + std::to_wstring(members_.size()) +
                        L" logged in" + (cancelled_ ? L" (cancelled)" : L""));
    const std::unique_ptr<TeamRun> self = std::move(Current());  // this object goes with the call
    TrayLoginObserver& tray = tray_;
    std::vector<std::wstring> failed;
    bool retry = false;
    if (!allIn) {
        std::wstring in, out;
        for (const Member& m : members_) {
            if (m.state == Member::State::kLoggedIn) {
                in += L"\r\n    " + m.caption;
                continue;
            }
            const std::wstring reason =
                m.state == Member::State::kNotStarted ? LangText(L"team", L"not_started") : m.reason;
            out += L"\r\n    " + LangFormat(L"team", L"member_reason", {m.caption, reason});
            if (m.state == Member::State::kFailed) failed.push_back(m.entry);
        }
        const std::wstring shown = std::to_wstring(loggedIn), all = std::to_wstring(members_.size());
        std::wstring text = cancelled_ ? LangFormat(L"team", L"summary_cancelled", {name_, shown, all})
                                       : LangFormat(L"team", L"summary", {name_, shown, all});
        if (!in.empty()) text += L"\r\n\r\n" + LangText(L"team", L"logged_in") + in;
        text += L"\r\n\r\n" + LangText(L"team", L"not_logged_in") + out;
        text += L"\r\n\r\n" + LangFormat(L"team", L"log_where", {LogFile()});
        if (!cancelled_ && !failed.empty()) {
            text += L"\r\n\r\n" + LangText(L"team", L"retry");
            retry = ui::MsgBox(text, MB_YESNO | MB_ICONWARNING) == IDYES;
        } else {
            ui::MsgBox(text, MB_OK | (cancelled_ ? MB_ICONINFORMATION : MB_ICONWARNING));
        }
    }
    const LoginOutcome outcome = allIn        ? LoginOutcome::kCompleted
                                 : cancelled_ ? LoginOutcome::kCancelled
                                              : LoginOutcome::kTimedOut;
    tray.LoginEnded(outcome);
    if (!retry) return;
    std::vector<Member> again;
    for (const Member& m : self->members_)
        if (m.state == Member::State::kFailed) again.emplace_back(m.entry, m.caption, m.installation);
    Current() = std::make_unique<TeamRun>(tray, self->name_, std::move(again), tray.settings().Pacing());
    if (!Current()->Begin(false)) EndUnstarted(tray);
}

void MemberObserver::LoginWaitingFor(GameWindow window) { team_.member(index_).awaited = window; }

void MemberObserver::LauncherShown() { team_.LauncherShown(); }

void MemberObserver::GameTookItsEntry() { team_.member(index_).holdsUserDat = false; }

void MemberObserver::LoginFailed(const LoginProblem& problem) {
    Member& m = team_.member(index_);
    m.reason = LoginProblemText(problem);
    if (problem.kind == LoginProblem::Kind::kTimedOut && m.awaited)
        m.reason += L" (" + LangFormat(L"login", L"waiting", {GameWindowText(*m.awaited)}) + L")";
}

void MemberObserver::LoginEnded(LoginOutcome outcome) {
    Member& m = team_.member(index_);
    m.holdsUserDat = false;
    if (outcome == LoginOutcome::kCompleted) {
        m.state = Member::State::kLoggedIn;
    } else {
        m.state = Member::State::kFailed;
        if (outcome == LoginOutcome::kCancelled) m.reason = LangText(L"team", L"cancelled");
    }
    team_.ShowProgress();
}

// A single QuickLogin started while a team runs: it goes on beside the team, shows its own
// problems, and leaves the team's tip and the menu's state to the team.
class BesideTeamObserver : public LoginObserver {
public:
    explicit BesideTeamObserver(std::wstring installation) : installation_(std::move(installation)) {
        HeldBesideTeam().push_back(installation_);
    }
    ~BesideTeamObserver() override { ReleaseOnce(); }
    BesideTeamObserver(const BesideTeamObserver&) = delete;
    BesideTeamObserver& operator=(const BesideTeamObserver&) = delete;

    void LoginStarted() override {}
    bool ConfirmSecondGame() override { return true; }  // the team's games run, as the player knows
    void LoginWaitingFor(GameWindow) override {}
    void LauncherShown() override {}
    void GameTookItsEntry() override { ReleaseOnce(); }
    void LoginFailed(const LoginProblem& problem) override { ShowError(LoginProblemText(problem)); }
    void LoginEnded(LoginOutcome) override;

private:
    void ReleaseOnce() {
        if (!released_) Release(installation_);
        released_ = true;
    }
    std::wstring installation_;
    bool released_ = false;
};

std::vector<std::unique_ptr<BesideTeamObserver>>& BesideTeam() {
    static std::vector<std::unique_ptr<BesideTeamObserver>> observers;
    return observers;
}

void Forget(BesideTeamObserver* observer) {
    std::erase_if(BesideTeam(), [observer](const auto& o) { return o.get() == observer; });
}

// Its run is over: it goes (this is the last thing it does).
void BesideTeamObserver::LoginEnded(LoginOutcome) { Forget(this); }

}  // namespace

bool TeamRuns() { return Current() != nullptr; }

void LogInBesideTeam(const std::wstring& entry, TrayLoginObserver& tray) {
    Settings& settings = tray.settings();
    ResolvedLogin resolved;
    if (const std::optional<LoginProblem> problem = ResolveQuickLogin(settings, entry, resolved)) {
        ShowError(LoginProblemText(*problem));
        return;
    }
    const std::wstring installation = UpperCase(resolved.clientDir);
    const std::vector<std::wstring>& held = HeldBesideTeam();
    if ((Current() && Current()->Uses(installation)) ||
        std::find(held.begin(), held.end(), installation) != held.end()) {
        ShowError(LangFormat(L"team", L"installation_busy",
                             {resolved.entry.Caption(), Current() ? Current()->name() : std::wstring()}));
        return;
    }
    BesideTeam().push_back(std::make_unique<BesideTeamObserver>(installation));
    BesideTeamObserver* observer = BesideTeam().back().get();
    // A run that did not start has no end of its own to hear.
    if (!RunQuickLogin(settings, entry, *observer, {false, true, 0})) Forget(observer);
}

bool RunTeam(const std::wstring& name, TrayLoginObserver& tray) {
    if (Current()) return false;
    Settings& settings = tray.settings();
    if (!CheckSettingsBeforeUse(settings)) return false;
    const std::vector<std::wstring> entries = settings.TeamMembers(name);
    if (entries.empty()) {
        ShowError(LangFormat(L"team", L"no_members", {name}));
        return false;
    }
    for (const std::wstring& entry : entries) {
        if (settings.HasQuickLogin(entry)) continue;
        ShowError(LangFormat(L"team", L"member_gone", {name, QuickLoginEntry::QuickLoginCaption(entry)}));
        return false;
    }
    // The whole team or nobody: every member must be able to log in before the first starts.
    std::vector<Member> members;
    for (const std::wstring& entry : entries) {
        ResolvedLogin resolved;
        if (const std::optional<LoginProblem> problem = ResolveQuickLogin(settings, entry, resolved)) {
            ShowError(LangFormat(L"team", L"member_cannot_log_in", {name, QuickLoginEntry::QuickLoginCaption(entry)}) +
                      L"\r\n\r\n" + LoginProblemText(*problem));
            return false;
        }
        members.emplace_back(entry, resolved.entry.Caption(), UpperCase(resolved.clientDir));
    }
    Current() = std::make_unique<TeamRun>(tray, name, std::move(members), settings.Pacing());
    if (Current()->Begin()) return true;
    EndUnstarted(tray);
    return false;
}

void CancelLogins() {
    if (Current()) Current()->Cancel();
    RequestLoginCancel();
}
