#include "tray/dummy_frm.h"

#include <shellapi.h>

#include "base/lang.h"
#include "base/product.h"
#include "base/quit.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/info/about_frm.h"
#include "forms/info/lizenz_frm.h"
#include "forms/shared/settings_messages.h"
#include "login/game_login.h"
#include "login/game_names.h"
#include "login/quick_login.h"
#include "store/settings.h"
#include "tray/team_run.h"
#include "ui/message_box.h"

DummyFRM::DummyFRM() : Form({kProductName, 0, 0, {}}, {}) {}

bool DummyFRM::Create() {
    Load();
    if (!Loaded()) return false;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    state_.icon = TrayIcon(hwnd());
    return true;
}

void DummyFRM::ReadMenuItems() {
    TrayMenuState& menu = state_.menu;
    menu.quickLoginCaptions.clear();
    for (const std::wstring& text : settings().ReadQuickLoginTexts())
        menu.quickLoginCaptions.push_back(QuickLoginEntry::QuickLoginCaption(text));
    menu.teamNames = settings().TeamNames();
}

void DummyFRM::ClearQuickLogins() {
    if (state_.menu.quickLoginCaptions.size() > 1) state_.menu.quickLoginCaptions.resize(1);
}

void DummyFRM::OpenMenu() {
    // The commands are decoded against the menu that was shown, whatever changes meanwhile.
    const TrayMenuState shown = state_.menu;
    base::ScopedMenu menu = BuildTrayMenu(shown);
    POINT at{};
    GetCursorPos(&at);
    // The menu closes on a click elsewhere only when its owner is the foreground window.
    SetForegroundWindow(hwnd());
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, hwnd(), nullptr));
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (command) RunCommand(shown, command);
}

void DummyFRM::SystrayIconPic_MouseMove(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_RBUTTONDOWN: OpenMenu(); break;
        case WM_LBUTTONDBLCLK: popupmenue_config_Click(); break;
        case WM_LBUTTONDOWN: FocusAboutWindow(); break;
        // The keyboard on the icon: Shift+F10 or the menu key opens the menu, Enter or Space
        // does what a double click does (the menu's default item).
        case WM_CONTEXTMENU: OpenMenu(); break;
        case NIN_KEYSELECT: popupmenue_config_Click(); break;
        default: break;  // pointer movement, releases, middle button
    }
}

void DummyFRM::RunCommand(const TrayMenuState& shown, UINT command) {
    using namespace tray_menu;
    if (command == popupmenue_about) popupmenue_about_Click();
    else if (command == popupmenue_config) popupmenue_config_Click();
    else if (command == popupmenue_daoc_lizenzen[0]) popupmenue_daoc_lizenzen_Click(0);
    else if (command == popupmenue_daoc_lizenzen[1]) popupmenue_daoc_lizenzen_Click(1);
    else if (command == popupmenue_cancel_run) RequestLoginCancel();
    else if (command == popupmenue_beenden) popupmenue_beenden_Click();
    else if (const TrayListItem item = ListItemOf(shown, command); item.kind == TrayListItem::Kind::kQuickLogin)
        popup_chars_Click(static_cast<int>(item.index));
    else if (item.kind == TrayListItem::Kind::kTeam)
        popup_teams_Click(shown.teamNames[item.index]);
}

void DummyFRM::popupmenue_about_Click() { ShowAboutModal(); }

// A save rebuilds the menu's items from the file.
void DummyFRM::popupmenue_config_Click() {
    ShowLoginConfig(settings(), [this] {
        if (rebuildMenu_) rebuildMenu_();
        else ReadMenuItems();
    });
}

// Index 0 the end-user agreement, 1 the rules of conduct.
void DummyFRM::popupmenue_daoc_lizenzen_Click(int index) {
    if (!CheckSettingsBeforeUse(settings())) return;
    const std::vector<std::wstring> clients = settings().ListSettingKeys(section::kClients);
    if (clients.empty()) {
        ui::MsgBox(LangText(L"tray", L"no_clients"), MB_OK);
        return;
    }
    ShowAgreementFile(settings().ClientDir(clients.front()) + L"\\" + game::kAgreementFiles[index]);
}

void DummyFRM::popupmenue_beenden_Click() { QuitProgram(); }

void DummyFRM::popup_teams_Click(const std::wstring& team) { RunTeam(team, observer_); }

void DummyFRM::popup_chars_Click(int index) {
    // The entry is read again now: the file may have changed since the menu was built.
    if (!CheckSettingsBeforeUse(settings())) return;
    const std::wstring text = settings().ReadQuickLoginText(index);
    if (text.empty()) {
        ShowError(LangText(L"tray", L"entry_not_found"));
        return;
    }
    RunQuickLogin(settings(), text, observer_);
}

INT_PTR DummyFRM::OnMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) {
    if (msg == kTrayCallbackMessage) {
        handled = true;
        SystrayIconPic_MouseMove(static_cast<UINT>(LOWORD(lParam)));
        return 0;
    }
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        // The notification area was recreated (the shell restarted): show the icon again.
        handled = true;
        state_.icon.ReAdd(kProductName);
        return 0;
    }
    handled = false;
    return 0;
}
