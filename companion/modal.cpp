// Modal.exe: Corvalink's companion. Corvalink starts it once it has put account and password
// into the game's login dialog; it confirms that dialog the way a user would, with its
// default button, and ends. Corvalink names the dialog by its window handle (a decimal number,
// the only argument): with several logins under way, the first login dialog found may be
// another one's. Without an argument it takes the first login dialog that appears. Exit codes:
//   0  the dialog's default button was pressed
//   1  no login dialog appeared within the waiting time
//   2  the dialog has no default button
//   3  the dialog did not answer, or refused the press (the game runs with higher rights)
#include <windows.h>

#include "login/login_dialog.h"

namespace {

constexpr DWORD kWaitForDialogMs = 3 * 60 * 1000;
constexpr UINT kAnswerTimeoutMs = 5000;

// The dialog named on the command line once it is the game's login dialog, or the first login
// dialog there is when none is named.
HWND FindDialog(HWND named) {
    if (!named) return game::FindLoginDialog();
    return game::IsLoginDialog(named) ? named : nullptr;
}

// The handle on the command line; null when there is none.
HWND NamedDialog(const wchar_t* commandLine) {
    unsigned long long handle = 0;
    for (const wchar_t* c = commandLine; *c; ++c) {
        if (*c == L' ' || *c == L'"') continue;
        if (*c < L'0' || *c > L'9') return nullptr;
        handle = handle * 10 + static_cast<unsigned>(*c - L'0');
    }
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const HWND named = NamedDialog(commandLine ? commandLine : L"");
    const ULONGLONG deadline = GetTickCount64() + kWaitForDialogMs;
    HWND dialog = nullptr;
    while (!(dialog = FindDialog(named))) {
        // The named dialog is gone: nothing more will come.
        if (GetTickCount64() >= deadline || (named && !IsWindow(named))) return 1;
        Sleep(25);
    }
    DWORD_PTR defaultId = 0;
    if (!SendMessageTimeoutW(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &defaultId)) return 3;
    if (HIWORD(defaultId) != DC_HASDEFID) return 2;
    HWND button = GetDlgItem(dialog, LOWORD(defaultId));
    if (!button) return 2;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored)) return 3;
    return 0;
}
