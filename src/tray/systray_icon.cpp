#include "tray/systray_icon.h"

#include <shellapi.h>

#include "ui/program_icon.h"

namespace {

NOTIFYICONDATAW IconData(HWND owner, UINT flags, const std::wstring& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = ui::ProgramIcon(true);
    lstrcpynW(data.szTip, tip.c_str(), ARRAYSIZE(data.szTip));
    return data;
}

// Version 4 of the icon's behaviour: the keyboard reaches it (Win+B, arrows, then Enter gives
// NIN_KEYSELECT and Shift+F10 or the menu key WM_CONTEXTMENU), as well as the mouse.
void UseVersion4(NOTIFYICONDATAW data) {
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
}

}  // namespace

void TrayIcon::AddTrayIcon(const std::wstring& tip) const {
    // The shell refuses to add an icon that exists: an existing one is updated instead, so
    // that a rebuild of the menu leaves exactly one icon (and does not make it flicker).
    NOTIFYICONDATAW data = IconData(owner_, NIF_MESSAGE | NIF_ICON | NIF_TIP, tip);
    if (!Shell_NotifyIconW(NIM_MODIFY, &data) && Shell_NotifyIconW(NIM_ADD, &data)) UseVersion4(data);
}

void TrayIcon::ReAdd(const std::wstring& tip) const {
    // After the notification area was recreated the shell may still hold a stale entry.
    NOTIFYICONDATAW data = IconData(owner_, NIF_MESSAGE | NIF_ICON | NIF_TIP, tip);
    Shell_NotifyIconW(NIM_DELETE, &data);
    if (Shell_NotifyIconW(NIM_ADD, &data)) UseVersion4(data);
}

void TrayIcon::SetTip(const std::wstring& tip) const {
    NOTIFYICONDATAW data = IconData(owner_, NIF_TIP, tip);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::RemoveTrayIcon() const {
    NOTIFYICONDATAW data = IconData(owner_, 0, L"");
    Shell_NotifyIconW(NIM_DELETE, &data);
}
