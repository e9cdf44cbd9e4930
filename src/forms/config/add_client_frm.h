// The client window: store and remove game installations under a short name.
#pragma once
#include <windows.h>

#include <functional>

#include "store/settings.h"

// The window's controls, as the tests find them too.
namespace add_client_frm {
inline constexpr int LgnTxt[2] = {210, 211};  // client folder, short name
inline constexpr int AddCmd = 230;
inline constexpr int ClientLst = 240;
inline constexpr int DelCmd = 260;  // "Entfernen": removes the selected entry
inline constexpr int DirSelCmd = 250;
inline constexpr int DescrLbl[2] = {300, 301};  // short name, folder
}  // namespace add_client_frm

// Shows the window modal over `owner`; returns when it is closed. `changed` runs after each
// change of the list (the opener refills its own).
void ShowClientWindow(HWND owner, Settings& settings, std::function<void()> changed);
