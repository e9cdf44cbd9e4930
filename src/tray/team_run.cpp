#include "tray/team_run.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/lang.h"
#include "base/product.h"
#include "forms/shared/settings_messages.h"
#include "login/quick_login.h"

namespace {

class TeamRun : public LoginObserver {
public:
    TeamRun(TrayLoginObserver& tray, std::wstring name, std::vector<std::wstring> members)
        : tray_(tray), name_(std::move(name)), members_(std::move(members)) {}

    // Starts the member `next_`; false when it could not start (its message is shown).
    bool StartNext() { return RunQuickLogin(tray_.settings(), members_[next_], *this, next_ == 0); }

    void LoginStarted() override {
        if (next_ == 0) tray_.LoginStarted();
    }
    bool ConfirmSecondGame() override { return tray_.ConfirmSecondGame(); }
    void LoginWaitingFor(GameWindow window) override {
        const QuickLoginEntry member = QuickLoginEntry::FromText(members_[next_]);
        tray_.tray().SetTip(ProductTitle(LangFormat(L"team", L"waiting",
                                       {name_, std::to_wstring(next_ + 1), std::to_wstring(members_.size()),
                                        member.character, GameWindowText(window)})));
    }
    void LauncherShown() override {
        if (next_ == 0) tray_.LauncherShown();
    }
    void LoginFailed(const LoginProblem& problem) override { tray_.LoginFailed(problem); }
    void LoginEnded(LoginOutcome outcome) override;

private:
    TrayLoginObserver& tray_;
    std::wstring name_;
    std::vector<std::wstring> members_;
    size_t next_ = 0;
};

std::unique_ptr<TeamRun>& Current() {
    static std::unique_ptr<TeamRun> run;
    return run;
}

void TeamRun::LoginEnded(LoginOutcome outcome) {
    // The next member starts once this one has finished its login. A member that failed was
    // reported and the rest go on; only the player ends the team (a cancel, or no to a second
    // game).
    const bool stopped = outcome == LoginOutcome::kCancelled || outcome == LoginOutcome::kDeclined;
    while (!stopped && next_ + 1 < members_.size()) {
        ++next_;
        if (StartNext()) return;
        outcome = LoginOutcome::kStartFailed;
    }
    TrayLoginObserver& tray = tray_;
    const std::unique_ptr<TeamRun> self = std::move(Current());  // this object goes after the call
    tray.LoginEnded(outcome);
}

}  // namespace

bool RunTeam(const std::wstring& name, TrayLoginObserver& tray) {
    if (Current()) return false;
    Settings& settings = tray.settings();
    if (!CheckSettingsBeforeUse(settings)) return false;
    const std::vector<std::wstring> members = settings.TeamMembers(name);
    if (members.empty()) {
        ShowError(LangFormat(L"team", L"no_members", {name}));
        return false;
    }
    for (const std::wstring& member : members) {
        if (settings.HasQuickLogin(member)) continue;
        ShowError(LangFormat(L"team", L"member_gone", {name, QuickLoginEntry::QuickLoginCaption(member)}));
        return false;
    }
    // The whole team or nobody: every member must be able to log in before the first starts.
    for (const std::wstring& member : members) {
        ResolvedLogin resolved;
        if (const std::optional<LoginProblem> problem = ResolveQuickLogin(settings, member, resolved)) {
            ShowError(LangFormat(L"team", L"member_cannot_log_in", {name, QuickLoginEntry::QuickLoginCaption(member)}) +
                      L"\r\n\r\n" + LoginProblemText(*problem));
            return false;
        }
    }
    Current() = std::make_unique<TeamRun>(tray, name, members);
    if (Current()->StartNext()) return true;
    Current().reset();
    return false;
}
