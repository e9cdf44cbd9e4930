#include "tray/tray_login_observer.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/info/helper_frm.h"
#include "tray/dummy_frm.h"

namespace {

void SetRunning(bool running) {
    if (!DummyFRM::Exists()) return;
    DummyFRM::Instance().SetQuickLoginsEnabled(!running);
    DummyFRM::Instance().SetRunInProgress(running);
}

void ShowLauncherHelp() {
    const std::wstring topic = LangText(L"help", L"topic2");
    const std::wstring p1 = LangText(L"help", L"txt2_1");
    const std::wstring p2 = LangText(L"help", L"txt2_2");
    const std::wstring p3 = LangText(L"help", L"txt2_3");
    ShowHelp(DummyFRM::Instance().settings(), topic, p1 + L"\r\n\r\n" + p2 + L"\r\n\r\n" + p3, 1);
}

void ShowFinalHelp() {
    ShowHelp(DummyFRM::Instance().settings(), L"Hats geklappt?",
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

}  // namespace

TrayLoginObserver& TrayLoginObserver::Instance() {
    static TrayLoginObserver observer;
    return observer;
}

void TrayLoginObserver::LoginStarted() { SetRunning(true); }

void TrayLoginObserver::LoginWaitingFor(const std::wstring& window) {
    DummyFRM::SetTip(std::wstring(kProductName) + L" :: wartet auf " + window);
}

void TrayLoginObserver::LauncherShown() { ShowLauncherHelp(); }

void TrayLoginObserver::LoginEnded(LoginOutcome outcome) {
    SetRunning(false);
    DummyFRM::SetTip(kProductName);
    if (outcome == LoginOutcome::kCompleted) ShowFinalHelp();
}
