#include "login/quick_login.h"

#include <windows.h>

#include "login/game_login.h"
#include "login/game_names.h"
#include "login/login_log.h"
#include "login/login_observer.h"
#include "store/file_check.h"
#include "store/ini_handling.h"
#include "store/ini_transaction.h"
#include "store/settings.h"

namespace {

// The "entry0" quick-start value the game reads from section "quick" of its user.dat:
// "<character>, <SERVER>, <address>, <port>, <realm number>, <tag>".
std::wstring QuickStartEntry(const std::wstring& character, const std::wstring& serverUpper, const ServerRecord& server,
                             short realmNumber) {
    std::wstring entry = character + L", " + serverUpper + L", " + server.address + L", " + server.port + L", " +
                         std::to_wstring(realmNumber) + L", " + server.tag;
    // Without a tag the entry would end in a blank, which the game never reads: it is not written.
    while (!entry.empty() && entry.back() == L' ') entry.pop_back();
    return entry;
}

}  // namespace

std::optional<LoginProblem> ResolveQuickLogin(const Settings& settings, const std::wstring& entry,
                                              ResolvedLogin& resolved) {
    using Kind = LoginProblem::Kind;
    if (!QuickLoginEntry::HasAllFields(entry)) return LoginProblem{Kind::kIncomplete, {}, entry};
    const QuickLoginEntry login = QuickLoginEntry::FromText(entry);
    const std::wstring clientDir = settings.ClientDir(login.client);
    if (clientDir.empty()) return LoginProblem{Kind::kNoClientFolder, login.client, {}};
    const DWORD folder = GetFileAttributesW(clientDir.c_str());
    if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
        return LoginProblem{Kind::kClientFolderGone, login.client, clientDir};
    if (!FileExists(clientDir + L"\\" + game::kLauncherFile))
        return LoginProblem{Kind::kNoLauncher, login.client, clientDir};
    const std::wstring server = UpperCase(login.server);
    const std::optional<ServerRecord> record = settings.Server(server);
    if (!record) return LoginProblem{Kind::kNoServerAddress, server, {}};
    if (IsPlaceholderAddress(record->address)) return LoginProblem{Kind::kPlaceholderAddress, server, record->address};
    const std::wstring value = QuickStartEntry(login.character, server, *record, RealmNumber(UpperCase(login.realm)));

    const Settings::Password password = settings.AccountPassword(login.account);
    if (password.state == Settings::Password::State::kUnreadable)
        return LoginProblem{Kind::kPasswordUnreadable, login.account, {}};
    if (password.state == Settings::Password::State::kMissing) return LoginProblem{Kind::kNoAccount, login.account, {}};

    resolved = {login, clientDir, value, password.text};
    return std::nullopt;
}

bool RunQuickLogin(const Settings& settings, const std::wstring& entry, LoginObserver& observer,
                   const RunTerms& terms) {
    // The user.dat of a login under way may still be read: nothing is written then.
    if (!terms.besideOthers && GameLoginRunning()) return false;
    ResolvedLogin resolved;
    if (const std::optional<LoginProblem> problem = ResolveQuickLogin(settings, entry, resolved)) {
        observer.LoginFailed(*problem);
        return false;
    }
    // The game's own file: changed whole or not at all, its previous content kept beside it.
    const std::wstring userDat = resolved.clientDir + L"\\user.dat";
    IniTransaction quickStart(userDat);
    quickStart.KeepBackupAs(userDat + L".bak");
    quickStart.Set(L"quick", L"entry0", resolved.quickStart);
    quickStart.Set(L"quick", L"setentry", L"1");
    // A backup that cannot be kept does not stop the login.
    if (const SaveResult saved = quickStart.Commit(); !saved.ok()) {
        observer.LoginFailed({LoginProblem::Kind::kUserDatNotWritten, {}, userDat, saved});
        return false;
    }

    GameWindowCare care{entry, {}, settings.WindowPlaceOf(entry)};
    if (settings.RenamesGameWindows()) care.caption = GameWindowCaption(resolved.entry);
    const std::wstring who = resolved.entry.Caption();
    LogLogin(who, L"quick-start entry written to " + userDat);
    return DriveGameLogin({resolved.entry.account, resolved.password, resolved.clientDir, std::move(care), who, terms},
                          observer);
}
