// The game's login dialog, as both the login driver and Modal.exe recognise it: a dialog
// (class "#32770") titled "Dark Age of Camelot" with a password field and two combo boxes, the
// second holding the account field. The controls keep a same-named window of another program
// from being filled or pressed. Header-only: Modal.exe has no other part of the program.
#pragma once
#include <windows.h>

#include "login/game_names.h"

namespace game {

// The dialog's fields; all null when `dialog` is not the game's login dialog.
struct LoginDialogFields {
    HWND password = nullptr;
    HWND account = nullptr;  // the edit field of the second combo box
    explicit operator bool() const { return password && account; }
};

inline LoginDialogFields LoginDialogFieldsOf(HWND dialog) {
    wchar_t cls[16] = {}, title[32] = {};
    if (!dialog || !GetClassNameW(dialog, cls, 16) || lstrcmpW(cls, kDialogClass) != 0) return {};
    if (!GetWindowTextW(dialog, title, 32) || lstrcmpW(title, kGameTitle) != 0) return {};
    HWND password = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    HWND firstCombo = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr);
    HWND secondCombo = firstCombo ? FindWindowExW(dialog, firstCombo, L"ComboBox", nullptr) : nullptr;
    HWND account = secondCombo ? FindWindowExW(secondCombo, nullptr, L"Edit", nullptr) : nullptr;
    if (!password || !account) return {};
    return {password, account};
}

inline bool IsLoginDialog(HWND dialog) { return static_cast<bool>(LoginDialogFieldsOf(dialog)); }

// The first top-level window that is the game's login dialog (shown or not), or null.
inline HWND FindLoginDialog() {
    for (HWND dialog = FindWindowExW(nullptr, nullptr, kDialogClass, kGameTitle); dialog;
         dialog = FindWindowExW(nullptr, dialog, kDialogClass, kGameTitle))
        if (IsLoginDialog(dialog)) return dialog;
    return nullptr;
}

}  // namespace game
