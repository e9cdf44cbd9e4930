// The account window: store and remove game accounts (login name and password).
#pragma once
#include <windows.h>

#include <functional>

#include "store/settings.h"

// The window's controls, as the tests find them too.
namespace add_acc_frm {
inline constexpr int LgnTxt[2] = {210, 211};  // login name, password
inline constexpr int AddCmd = 230;
inline constexpr int AccLst = 240;
inline constexpr int DelCmd = 260;  // "Entfernen": removes the selected entry
inline constexpr int DescrLbl[2] = {300, 301};
}  // namespace add_acc_frm

// Shows the window modal over `owner`; returns when it is closed. `changed` runs after each
// change of the list (the opener refills its own).
void ShowAccountWindow(HWND owner, Settings& settings, std::function<void()> changed);
