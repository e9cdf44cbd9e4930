#include "login/game_login.h"

#include <windows.h>
#include <shellapi.h>

#include <functional>

#include "app/lang.h"
#include "app/paths.h"
#include "app/product.h"
#include "forms/info/helper_frm.h"
#include "login/game_windows.h"
#include "login/process_prio.h"
#include "tray/systray_icon.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"

namespace {

// Between rounds the driver sleeps until a message arrives or this time passes: next to no
// processor use while the game loads, and a new window is seen within this time.
constexpr unsigned kRoundMs = 15;
// A click that shows no effect is repeated after this time.
constexpr ULONGLONG kRepeatClickMs = 600;

bool g_cancelRequested = false;

constexpr wchar_t kAccessDeniedText[] =
    L"Corvalink kann die Fenster von DAoC nicht bedienen: Das Spiel läuft mit höheren Rechten als Corvalink "
    L"(zum Beispiel als Administrator), und Windows weist die Eingaben von Corvalink zurück.\r\n\r\n"
    L"Bitte starten Sie Corvalink mit denselben Rechten wie das Spiel, also beide als Administrator oder "
    L"beide ohne, und wählen Sie den QuickLogin erneut.";

void ShowWaiting(const wchar_t* what) { SetTrayTip(std::wstring(kProductName) + L" :: wartet auf " + what); }

// Why a wait ended before what it waited for.
struct Abort {
    LoginOutcome outcome;
};

// Runs rounds until `round` reports success; the program's messages are handled between
// rounds. Throws Abort when the user cancels.
void WaitUntil(const std::function<bool()>& round) {
    for (;;) {
        if (g_cancelRequested) throw Abort{LoginOutcome::kCancelled};
        if (round()) return;
        ui::WaitForEvents(kRoundMs);
    }
}

// Treats a refused message as the end of the run.
void Check(SendResult result) {
    if (result == SendResult::kAccessDenied) throw Abort{LoginOutcome::kAccessDenied};
}

// A click that is repeated while `progressed` says nothing happened yet.
class RepeatedClick {
public:
    explicit RepeatedClick(HWND target) : target_(target) { Click(); }
    void RepeatIfDue() {
        if (GetTickCount64() - stamp_ >= kRepeatClickMs) Click();
    }

private:
    void Click() {
        Check(ClickWindow(target_));
        stamp_ = GetTickCount64();
    }
    HWND target_;
    ULONGLONG stamp_ = 0;
};

HWND FindLauncher() {
    HWND launcher = FindTopWindow(game::kDialogClass, game::kLauncherTitleGerman);
    return launcher ? launcher : FindTopWindow(game::kDialogClass, game::kLauncherTitleEnglish);
}

HWND FindLoginDialog() { return FindTopWindow(game::kDialogClass, game::kGameTitle); }

void ShowLauncherHelp() {
    const std::wstring topic = LangText(L"help", L"topic2");
    const std::wstring p1 = LangText(L"help", L"txt2_1");
    const std::wstring p2 = LangText(L"help", L"txt2_2");
    const std::wstring p3 = LangText(L"help", L"txt2_3");
    ShowHelp(topic, p1 + L"\r\n\r\n" + p2 + L"\r\n\r\n" + p3, 1);
}

void ShowFinalHelp() {
    ShowHelp(L"Hats geklappt?",
             L"Erfolgreich eingeloggt? Falls nein:\r\n\r\n"
             L"Ein Fehler bevor DAoC in den Vollbildmodus umschaltet bzw in den Fenstermodus - je nach Einstellung "
             L"- lässt auf einen Fehler in unserem kleinen Programm schließen. Bitte per Email/IRC Kontakt "
             L"aufnehmen.\r\n\r\n"
             L"Ein Fehler im Vollbild, respektive Fenstermodus, lässt auf einen Einstellungsfehler schließen. "
             L"Insbesondere Meldungen wie \"Schnellstartcharakter nicht gefunden\" oder \"Service nicht verfügbar\" "
             L"(vorausgesetzt der DAoC-Server ist wirklich nicht erreichbar). Einstellungen neu durchgehen und "
             L"erneut versuchen!",
             1);
}

// Password into the dialog's first edit field, the account into the edit field of its
// second combo box. Nothing else of the dialog is touched. False when the dialog did not
// answer in time (the caller tries again).
bool FillLoginDialog(HWND dialog, const std::wstring& account, const std::wstring& password) {
    HWND passwordField = FindChildWindow(dialog, nullptr, L"Edit", nullptr);
    HWND firstCombo = FindChildWindow(dialog, nullptr, L"ComboBox", nullptr);
    HWND secondCombo = firstCombo ? FindChildWindow(dialog, firstCombo, L"ComboBox", nullptr) : nullptr;
    HWND accountField = FindChildWindow(secondCombo, nullptr, L"Edit", nullptr);
    for (auto [field, text] : {std::pair{passwordField, &password}, std::pair{accountField, &account}}) {
        const SendResult result = SetGameText(field, *text);
        Check(result);
        // A field that is missing altogether is the game's business; one that hangs gets another try.
        if (result == SendResult::kNoAnswer && IsWindow(field)) return false;
    }
    return true;
}

LoginOutcome Drive(const std::wstring& account, const std::wstring& password, const std::wstring& clientDir) {
    // 1. A game that runs already: ask before starting another.
    //    A game that hides its window still runs. A cancel chosen while the question is open
    //    holds, whatever the answer.
    if (FindTopWindow(nullptr, game::kRunningTitle, Visibility::kShownOrHidden) &&
        ui::MsgBox(L"DAoC läuft bereits, trotzdem fortfahren?", MB_YESNO | MB_ICONQUESTION) == IDNO)
        return LoginOutcome::kDeclined;
    if (g_cancelRequested) return LoginOutcome::kCancelled;

    // 2.-3. Start the launcher.
    SetProcessPriority(IDLE_PRIORITY_CLASS);
    const std::wstring launcher = clientDir + L"\\camelot.exe";
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, launcher.c_str(), nullptr, clientDir.c_str(), SW_SHOWNORMAL));
    if (started <= 32) {
        SetProcessPriority(NORMAL_PRIORITY_CLASS);
        ShowError(L"daoc start failed:" + std::to_wstring(started));
        return LoginOutcome::kStartFailed;
    }

    // 4.-6. The launcher window, then its help page.
    ShowWaiting(L"den DAoC-Launcher");
    HWND launcherWindow = nullptr;
    try {
        WaitUntil([&] { return (launcherWindow = FindLauncher()) != nullptr; });
    } catch (const Abort&) {
        SetProcessPriority(NORMAL_PRIORITY_CLASS);
        throw;
    }
    SetProcessPriority(NORMAL_PRIORITY_CLASS);
    ShowLauncherHelp();

    // 7.-8. Play, repeated until the game window exists.
    HWND firstButton = FindChildWindow(launcherWindow, nullptr, L"Button", nullptr);
    HWND play = firstButton ? GetWindow(firstButton, GW_HWNDNEXT) : nullptr;
    if (!play) ShowError(L"Play-Button nicht gefunden");
    ShowWaiting(L"das Spielfenster");
    HWND gameWindow = nullptr;
    {
        RepeatedClick click(play);
        WaitUntil([&] {
            if ((gameWindow = FindTopWindow(game::kGameClass, game::kGameTitle)) != nullptr) return true;
            click.RepeatIfDue();
            return false;
        });
    }

    // 9.-10. Click the game window until the login dialog exists, then fill it in.
    ShowWaiting(L"das Anmeldefenster");
    HWND loginDialog = nullptr;
    {
        RepeatedClick click(gameWindow);
        WaitUntil([&] {
            if ((loginDialog = FindLoginDialog()) != nullptr) return true;
            click.RepeatIfDue();
            return false;
        });
    }
    WaitUntil([&] { return FillLoginDialog(loginDialog, account, password); });

    // 11. The companion confirms the filled dialog.
    const std::wstring companion = ProgramDir() + L"\\Modal.exe";
    ShellExecuteW(nullptr, L"open", companion.c_str(), nullptr, nullptr, SW_SHOWNORMAL);

    // 12.-13. Accept the agreement, repeated until the terms window has its button.
    ShowWaiting(L"die Lizenzvereinbarung");
    HWND agreementButton = nullptr;
    WaitUntil([&] {
        HWND agreement = FindTopWindow(nullptr, game::kAgreementTitle);
        agreementButton = FindChildWindow(agreement, nullptr, L"Button", game::kAcceptCaption);
        return agreementButton != nullptr;
    });
    ShowWaiting(L"die Nutzungsbedingungen");
    HWND termsButton = nullptr;
    {
        RepeatedClick click(agreementButton);
        WaitUntil([&] {
            HWND terms = FindTopWindow(game::kDialogClass, game::kTermsTitle);
            termsButton = FindChildWindow(terms, nullptr, L"Button", game::kAcceptCaption);
            if (termsButton) return true;
            if (!terms) click.RepeatIfDue();
            return false;
        });
    }

    // 14. Accept the terms, repeated until their window closes.
    {
        RepeatedClick click(termsButton);
        WaitUntil([&] {
            if (!FindTopWindow(game::kDialogClass, game::kTermsTitle)) return true;
            click.RepeatIfDue();
            return false;
        });
    }

    // 15.
    SetTrayTip(kProductName);
    ShowFinalHelp();
    return LoginOutcome::kCompleted;
}

}  // namespace

LoginOutcome DriveGameLogin(const std::wstring& account, const std::wstring& password, const std::wstring& clientDir) {
    g_cancelRequested = false;
    LoginOutcome outcome;
    try {
        outcome = Drive(account, password, clientDir);
    } catch (const Abort& abort) {
        outcome = abort.outcome;
    }
    g_cancelRequested = false;
    SetTrayTip(kProductName);
    if (outcome == LoginOutcome::kAccessDenied) ShowError(kAccessDeniedText);
    return outcome;
}

void RequestLoginCancel() { g_cancelRequested = true; }
