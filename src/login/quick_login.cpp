#include "login/quick_login.h"

#include <windows.h>

#include "base/lang.h"
#include "login/game_login.h"
#include "login/login_observer.h"
#include "store/ini_handling.h"
#include "store/ini_transaction.h"
#include "store/settings.h"

namespace {

// The "entry0" quick-start value the game reads from section "quick" of its user.dat:
// "<character>, <SERVER>, <address>, <port>, <realm number>, <tag>".
std::wstring QuickStartEntry(const std::wstring& character, const std::wstring& serverUpper,
                             const std::wstring& addressAndPort, short realmNumber, const std::wstring& tag) {
    std::wstring entry =
        character + L", " + serverUpper + L", " + addressAndPort + L", " + std::to_wstring(realmNumber) + L", " + tag;
    // Without a tag the entry would end in a blank, which the game never reads: it is not written.
    while (!entry.empty() && entry.back() == L' ') entry.pop_back();
    return entry;
}

}  // namespace

std::optional<std::wstring> ResolveQuickLogin(const Settings& settings, const std::wstring& entry,
                                              ResolvedLogin& resolved) {
    if (SplitFields(entry, 5).size() < 5) {
        return L"Der QuickLogin „" + entry +
               L"“ ist unvollständig: Es fehlen Angaben zu Server, Reich, Account oder Client. Bitte legen Sie "
               L"ihn in der Konfiguration neu an.";
    }
    const QuickLoginEntry login = QuickLoginEntry::FromText(entry);
    const std::wstring clientDir = settings.ClientDir(login.client);
    if (clientDir.empty()) {
        return L"Für den Client „" + login.client +
               L"“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie den Client in der Konfiguration ein.";
    }
    const std::wstring server = UpperCase(login.server);
    const std::optional<std::wstring> address = settings.ServerAddress(server);
    if (!address) {
        return L"Für den Server „" + server +
               L"“ ist keine Adresse eingetragen. Die Einstellungsdatei braucht im Abschnitt [server] eine Zeile " +
               server + L"=Adresse:Port.";
    }
    if (IsPlaceholderAddress(*address)) {
        return L"Für den Server „" + server + L"“ ist noch die Platzhalter-Adresse " +
               address->substr(0, address->find(L',')) +
               L" eingetragen, die zu keinem Spielserver führt. Bitte tragen Sie die echte Adresse ein: "
               L"Doppelklick auf das Corvalink-Symbol, dann „..“ neben der Server-Liste.";
    }
    const short realm = RealmNumber(UpperCase(login.realm));
    const std::wstring value = QuickStartEntry(login.character, server, *address, realm, settings.ServerTag(server));

    const Settings::Password password = settings.AccountPassword(login.account);
    if (password.state == Settings::Password::State::kUnreadable) {
        return L"Das Passwort des Accounts „" + login.account +
               L"“ ist mit Windows geschützt und lässt sich hier nicht lesen: Es wurde unter einem anderen "
               L"Windows-Benutzer oder auf einem anderen Computer geschützt, oder der Eintrag ist beschädigt. "
               L"Bitte geben Sie das Passwort im Account-Fenster neu ein (Konfiguration, „..“ neben der "
               L"Account-Liste).";
    }
    if (password.state == Settings::Password::State::kMissing) {
        return L"Den Account „" + login.account +
               L"“ gibt es in den Einstellungen nicht (mehr). Bitte legen Sie ihn in der Konfiguration über "
               L"„..“ neben der Account-Liste an, oder wählen Sie für den QuickLogin einen anderen Account.";
    }

    resolved = {login, clientDir, value, password.text};
    return std::nullopt;
}

bool RunQuickLogin(const Settings& settings, const std::wstring& entry, LoginObserver& observer, bool askIfRunning) {
    ResolvedLogin resolved;
    if (const std::optional<std::wstring> refusal = ResolveQuickLogin(settings, entry, resolved)) {
        ShowError(*refusal);
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
        ShowError(L"Die Datei „" + userDat + L"“ konnte nicht geschrieben werden; sie ist unverändert. " +
                  DescribeSaveFailure(saved) +
                  L" Läuft DAoC noch? Bitte prüfen Sie auch, ob der DAoC-Ordner beschreibbar ist.");
        return false;
    }

    return DriveGameLogin(resolved.entry.account, resolved.password, resolved.clientDir, observer, askIfRunning);
}
