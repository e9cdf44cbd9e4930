// SystrayIcon: The program's icon in the notification area.
#pragma once
#include <windows.h>

#include <string>

// The message the shell sends to the hidden tray window for the icon; lParam carries the
// mouse message that happened on the icon (WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, ...).
constexpr UINT kTrayCallbackMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 2;

// The icon, owned by the hidden tray window whose handle it is built from; the shell sends the
// icon's notifications to that window.
class TrayIcon {
public:
    explicit TrayIcon(HWND owner) : owner_(owner) {}

    // Adds the icon with the tip (at most 127 characters are shown). An icon that exists
    // already is updated, so one icon stays.
    void AddTrayIcon(const std::wstring& tip) const;
    // Adds the icon anew after the notification area was recreated (the shell restarted).
    void ReAdd(const std::wstring& tip) const;
    // Changes the tip of the existing icon.
    void SetTip(const std::wstring& tip) const;
    // Removes the icon; nothing happens when there is none.
    void RemoveTrayIcon() const;

private:
    HWND owner_;
};
