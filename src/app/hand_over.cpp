#include "app/hand_over.h"

#include <windows.h>

#include <vector>

#include "base/product.h"

namespace {

constexpr ULONG_PTR kHandedCommandMark = 0x4B4C5643;  // "CVLK", as the tray window expects
constexpr UINT kAnswerTimeoutMs = 5000;

// The hidden tray windows of other processes: dialog-class windows titled with the product's
// name (a message box of Corvalink has the same class and title, and takes no command).
BOOL CALLBACK CollectCandidate(HWND window, LPARAM list) {
    wchar_t cls[16] = {}, title[32] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && GetClassNameW(window, cls, 16) && lstrcmpW(cls, L"#32770") == 0 &&
        GetWindowTextW(window, title, 32) && lstrcmpW(title, kProductName) == 0)
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

bool HandOverCommand(const ProgramCommand& command, const std::wstring& instance) {
    std::vector<HWND> candidates;
    EnumWindows(CollectCandidate, reinterpret_cast<LPARAM>(&candidates));
    const std::wstring handed = command.Handed(instance);
    COPYDATASTRUCT data{kHandedCommandMark, static_cast<DWORD>(handed.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(handed.data())};
    // The running Corvalink may bring a window to the front for the command (a game, the
    // configuration window): this start, which the player just made, lets it.
    AllowSetForegroundWindow(ASFW_ANY);
    for (HWND window : candidates) {
        DWORD_PTR taken = FALSE;
        if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                kAnswerTimeoutMs, &taken) &&
            taken == TRUE)
            return true;
    }
    return false;
}
