// SystrayIcon: The program's icon in the notification area.
#pragma once
#include <windows.h>

#include <string>

// The message the shell sends to the hidden tray window for the icon; lParam carries the
// mouse message that happened on the icon (WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, ...).
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 2;

// Adds the icon with the tip (at most 127 characters are shown); creates the hidden tray
// window first if needed. An icon that exists already is updated, so one icon stays.
void AddTrayIcon(const std::wstring& tip);
// Adds the icon anew after the notification area was recreated (the shell restarted).
void ReAddTrayIcon(const std::wstring& tip);
// Changes the tip of the existing icon.
void SetTrayTip(const std::wstring& tip);
// Removes the icon; nothing happens when there is none.
void RemoveTrayIcon();
