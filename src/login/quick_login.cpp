#include "login/quick_login.h"

#include <windows.h>

#include "app/lang.h"
#include "login/game_login.h"
#include "store/ini_handling.h"
#include "store/settings.h"
#include "tray/dummy_frm.h"

namespace {

std::wstring Upper(std::wstring text) {
    if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Disables the QuickLogin items for the life of the run.
class RunInProgress {
public:
    RunInProgress() { Set(true); }
    ~RunInProgress() { Set(false); }
    RunInProgress(const RunInProgress&) = delete;
    RunInProgress& operator=(const RunInProgress&) = delete;

private:
    static void Set(bool running) {
        if (!DummyFrm::Exists()) return;
        DummyFrm::Instance().SetQuickLoginsEnabled(!running);
        DummyFrm::Instance().SetRunInProgress(running);
    }
};

// The "entry0" quick-start value the game reads from section "quick" of its user.dat:
// "<character>, <SERVER>, <address>, <port>, <realm number>, <tag>".
std::wstring QuickStartEntry(const std::wstring& character, const std::wstring& serverUpper,
                             const std::wstring& addressAndPort, short realmNumber, const std::wstring& tag) {
    return character + L", " + serverUpper + L", " + addressAndPort + L", " + std::to_wstring(realmNumber) + L", " +
           tag;
}

}  // namespace

void RunQuickLogin(const std::wstring& entry) {
    if (SplitFields(entry, 5).size() < 5) {
        ShowError(L"Der QuickLogin „" + entry +
                  L"“ ist unvollständig: Es fehlen Angaben zu Server, Reich, Account oder Client. Bitte legen Sie "
                  L"ihn in der Konfiguration neu an.");
        return;
    }
    const QuickLoginEntry login = QuickLoginEntry::FromText(entry);
    const std::wstring clientDir = ClientDir(login.client);
    if (clientDir.empty()) {
        ShowError(L"Für den Client „" + login.client +
                  L"“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie den Client in der Konfiguration ein.");
        return;
    }
    const std::wstring server = Upper(login.server);
    const std::optional<std::wstring> address = ServerAddress(server);
    if (!address) {
        ShowError(L"Für den Server „" + server +
                  L"“ ist keine Adresse eingetragen. Die Einstellungsdatei braucht im Abschnitt [server] eine Zeile " +
                  server + L"=Adresse:Port.");
        return;
    }
    const short realm = RealmNumber(Upper(login.realm));
    const std::wstring value = QuickStartEntry(login.character, server, *address, realm, ServerTag(server));

    const std::wstring userDat = clientDir + L"\\user.dat";
    if (!WriteIni(userDat, L"quick", L"entry0", value) || !WriteIni(userDat, L"quick", L"setentry", L"1")) {
        ShowError(L"Die Datei „" + userDat +
                  L"“ konnte nicht geschrieben werden. Bitte prüfen Sie, ob der DAoC-Ordner existiert und "
                  L"beschreibbar ist.");
        return;
    }

    RunInProgress running;
    DriveGameLogin(login.account, AccountPassword(login.account), clientDir);
}
