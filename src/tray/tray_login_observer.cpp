#include "tray/tray_login_observer.h"

#include <windows.h>

#include "base/lang.h"
#include "base/paths.h"
#include "base/product.h"
#include "forms/info/helper_frm.h"
#include "forms/shared/settings_messages.h"
#include "ui/message_box.h"

namespace {

constexpr wchar_t kParagraph[] = L"\r\n\r\n";

void ShowLauncherHelp(Settings& settings) {
    ShowHelp(settings, LangText(L"help", L"topic2"),
             LangText(L"help", L"txt2_1") + kParagraph + LangText(L"help", L"txt2_2") + kParagraph +
                 LangText(L"help", L"txt2_3"),
             1);
}

// Its last paragraph says where the log of the login is, for a player who asks for help.
void ShowFinalHelp(Settings& settings) {
    ShowHelp(settings, LangText(L"help", L"topic3"),
             LangText(L"help", L"txt3_1") + kParagraph + LangText(L"help", L"txt3_2") + kParagraph +
                 LangText(L"help", L"txt3_3") + kParagraph + LangFormat(L"help", L"log_where", {LogFile()}),
             1);
}

}  // namespace

std::wstring LoginProblemText(const LoginProblem& p) {
    using Kind = LoginProblem::Kind;
    switch (p.kind) {
        case Kind::kIncomplete: return LangFormat(L"login", L"incomplete", {p.value});
        case Kind::kNoClientFolder: return LangFormat(L"login", L"no_client_folder", {p.name});
        case Kind::kClientFolderGone: return LangFormat(L"login", L"client_folder_gone", {p.name, p.value});
        case Kind::kNoLauncher: return LangFormat(L"login", L"no_launcher", {p.name, p.value});
        case Kind::kNoServerAddress: return LangFormat(L"login", L"no_server_address", {p.name});
        case Kind::kPlaceholderAddress: return LangFormat(L"login", L"placeholder_address", {p.name, p.value});
        case Kind::kPasswordUnreadable: return LangFormat(L"login", L"password_unreadable", {p.name});
        case Kind::kNoAccount: return LangFormat(L"login", L"no_account", {p.name});
        case Kind::kUserDatNotWritten:
            return LangFormat(L"login", L"user_dat_not_written", {p.value, DescribeSaveFailure(p.save)});
        case Kind::kStartFailed: return LangFormat(L"login", L"start_failed", {p.value});
        case Kind::kNoPlayButton: return LangText(L"login", L"no_play_button");
        case Kind::kAccessDenied:
            return LangText(L"login", L"access_denied_1") + kParagraph + LangText(L"login", L"access_denied_2");
        case Kind::kTimedOut: return LangFormat(L"login", L"timed_out", {p.value});
    }
    return {};
}

std::wstring GameWindowText(GameWindow window) {
    switch (window) {
        case GameWindow::kLauncher: return LangText(L"login", L"wait_launcher");
        case GameWindow::kGameWindow: return LangText(L"login", L"wait_game");
        case GameWindow::kLoginDialog: return LangText(L"login", L"wait_dialog");
        case GameWindow::kAgreement: return LangText(L"login", L"wait_agreement");
        case GameWindow::kTerms: return LangText(L"login", L"wait_terms");
    }
    return {};
}

void TrayLoginObserver::LoginStarted() { tray_.SetRunning(true); }

bool TrayLoginObserver::ConfirmSecondGame() {
    return ui::MsgBox(LangText(L"login", L"already_running"), MB_YESNO | MB_ICONQUESTION) != IDNO;
}

void TrayLoginObserver::LoginWaitingFor(GameWindow window) {
    tray_.SetTip(ProductTitle(LangFormat(L"login", L"waiting", {GameWindowText(window)})));
}

void TrayLoginObserver::LauncherShown() { ShowLauncherHelp(settings()); }

void TrayLoginObserver::LoginFailed(const LoginProblem& problem) { ShowError(LoginProblemText(problem)); }

void TrayLoginObserver::LoginEnded(LoginOutcome outcome) {
    tray_.SetRunning(false);
    tray_.SetTip(kProductName);
    if (outcome == LoginOutcome::kCompleted) ShowFinalHelp(settings());
    if (tray_.runEnded) tray_.runEnded(outcome);
}
