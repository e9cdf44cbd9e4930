// The server window: the game servers with address, port and tag, entered and removed here
// instead of in the settings file.
#pragma once
#include <windows.h>

#include <functional>

#include "store/settings.h"

// The window's controls, as the tests find them too.
namespace server_frm {
inline constexpr int ServerLstVw = 240;
inline constexpr int LgnTxt[4] = {210, 211, 212, 213};  // name, address, port, tag
inline constexpr int DescrLbl[4] = {300, 301, 302, 303};
inline constexpr int AddCmd = 230;  // add, or replace the server of that name
inline constexpr int DelCmd = 250;
inline constexpr int HintLbl = 260;  // what to enter, and why the window opened
}  // namespace server_frm

// Shows the window modal over `owner`; returns when it is closed. `changed` runs after each
// change of the servers (the opener refills its server list). With `addressFor`, the window
// asks for that server's address: name, port and tag filled in, the address field empty and
// focused, and the window closes once the server is stored.
void ShowServerWindow(HWND owner, Settings& settings, std::function<void()> changed,
                      const std::wstring& addressFor = L"");
