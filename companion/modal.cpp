// Modal.exe: Corvalink's companion. Corvalink starts it once it has put account and password
// into the game's login dialog; it confirms that dialog the way a user would, with its
// default button, and ends. Exit codes:
//   0  the dialog's default button was pressed
//   1  no login dialog appeared within the waiting time
//   2  the dialog has no default button
//   3  the dialog did not answer, or refused the press (the game runs with higher rights)
#include <windows.h>

#include "login/login_dialog.h"

namespace {

constexpr DWORD kWaitForDialogMs = 3 * 60 * 1000;
constexpr UINT kAnswerTimeoutMs = 5000;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const ULONGLONG deadline = GetTickCount64() + kWaitForDialogMs;
    HWND dialog = nullptr;
    while (!(dialog = game::FindLoginDialog())) {
        if (GetTickCount64() >= deadline) return 1;
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
