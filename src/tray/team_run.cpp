#include "tray/team_run.h"

#include <algorithm>
#include <memory>

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/input_rules.h"
#include "login/quick_login.h"
#include "tray/dummy_frm.h"
#include "tray/tray_login_observer.h"
#include "tray/tray_menu.h"

namespace {

class TeamRun : public LoginObserver {
public:
    TeamRun(Settings& settings, std::wstring name, std::vector<std::wstring> members)
        : settings_(settings), name_(std::move(name)), members_(std::move(members)) {}

    // Starts the member `next_`; false when it could not start (its message is shown).
    bool StartNext() { return RunQuickLogin(settings_, members_[next_], *this, next_ == 0); }

    void LoginStarted() override {
        if (next_ == 0) tray().LoginStarted();
    }
    void LoginWaitingFor(const std::wstring& window) override {
        const QuickLoginEntry member = QuickLoginEntry::FromText(members_[next_]);
        DummyFRM::SetTip(std::wstring(kProductName) + L" :: Team " + name_ + L", " + std::to_wstring(next_ + 1) + L"/" +
                   std::to_wstring(members_.size()) + L" " + member.character + L": wartet auf " + window);
    }
    void LauncherShown() override {
        if (next_ == 0) tray().LauncherShown();
    }
    void LoginEnded(LoginOutcome outcome) override;

private:
    static TrayLoginObserver& tray() { return TrayLoginObserver::Instance(); }

    Settings& settings_;
    std::wstring name_;
    std::vector<std::wstring> members_;
    size_t next_ = 0;
};

std::unique_ptr<TeamRun>& Current() {
    static std::unique_ptr<TeamRun> run;
    return run;
}

void TeamRun::LoginEnded(LoginOutcome outcome) {
    // The next member starts once this one has finished its login; anything else ends the team.
    if (outcome == LoginOutcome::kCompleted && next_ + 1 < members_.size()) {
        ++next_;
        if (StartNext()) return;
        outcome = LoginOutcome::kStartFailed;
    }
    const std::unique_ptr<TeamRun> self = std::move(Current());  // this object goes after the call
    tray().LoginEnded(outcome);
}

}  // namespace

bool RunTeam(Settings& settings, const std::wstring& name) {
    if (Current()) return false;
    if (!CheckSettingsBeforeUse(settings)) return false;
    const std::vector<std::wstring> members = settings.TeamMembers(name);
    const std::vector<std::wstring> quickLogins = settings.ReadQuickLoginTexts();
    if (members.empty()) {
        ShowError(L"Das Team „" + name + L"“ hat keine Mitglieder.");
        return false;
    }
    for (const std::wstring& member : members) {
        if (std::find(quickLogins.begin(), quickLogins.end(), member) != quickLogins.end()) continue;
        ShowError(L"Das Team „" + name + L"“ kann nicht starten: Den QuickLogin „" + QuickLoginCaption(member) +
                  L"“ gibt es nicht mehr. Bitte speichern Sie das Team in der Konfiguration neu.");
        return false;
    }
    // The whole team or nobody: every member must be able to log in before the first starts.
    for (const std::wstring& member : members) {
        ResolvedLogin resolved;
        if (const std::optional<std::wstring> refusal = ResolveQuickLogin(settings, member, resolved)) {
            ShowError(L"Das Team „" + name + L"“ kann nicht starten, es wurde nichts gestartet. Der QuickLogin „" +
                      QuickLoginCaption(member) + L"“ kann sich nicht anmelden:\r\n\r\n" + *refusal);
            return false;
        }
    }
    Current() = std::make_unique<TeamRun>(settings, name, members);
    if (Current()->StartNext()) return true;
    Current().reset();
    return false;
}
