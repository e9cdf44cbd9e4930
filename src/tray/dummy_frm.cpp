#include "tray/dummy_frm.h"

#include <shellapi.h>

#include "base/lang.h"
#include "base/product.h"
#include "base/quit.h"
#include "forms/config/input_rules.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/info/about_frm.h"
#include "forms/info/lizenz_frm.h"
#include "login/game_login.h"
#include "login/quick_login.h"
#include "store/settings.h"
#include "tray/team_run.h"
#include "tray/tray_login_observer.h"
#include "tray/tray_mode.h"
#include "ui/message_box.h"

namespace {

void ShowAgreement(const wchar_t* fileName) {
    const Settings& settings = DummyFRM::Instance().settings();
    if (!CheckSettingsBeforeUse(settings)) return;
    const std::vector<std::wstring> clients = settings.ListSettingKeys(section::kClients);
    if (clients.empty()) {
        ui::MsgBox(L"es wurden noch keine clients konfiguriert, daher kann diese Lizenz nicht angezeigt werden", MB_OK);
        return;
    }
    ShowAgreementFile(settings.ClientDir(clients.front()) + L"\\" + fileName);
}

ui::SingleWindow<DummyFRM> g_window;

}  // namespace

DummyFRM::DummyFRM() : Form({kProductName, 0, 0, {}}, {}) {}

DummyFRM& DummyFRM::Instance() {
    if (!g_window.IsLoaded()) {
        DummyFRM& window = g_window.Get();
        window.Load();
        if (!window.Loaded()) {
            // No desktop to put a window on (a service session, a display that went away).
            ShowError(L"Corvalink kann sein Fenster für das Symbol im Infobereich nicht anlegen und wird beendet.");
            QuitProgram();
        }
        window.taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
        window.icon_ = TrayIcon(window.hwnd());
        // The icon goes with the program, however it ends.
        SetQuitHook([] {
            if (Exists()) Instance().Icon().Remove();
        });
    }
    return *g_window.IfLoaded();
}

bool DummyFRM::Exists() { return g_window.IsLoaded(); }

void DummyFRM::SetTip(const std::wstring& tip) {
    if (Exists()) Instance().Icon().SetTip(tip);
}

void DummyFRM::Destroy() {
    g_window.Unload();
}

void DummyFRM::SetQuickLoginCaptions(std::vector<std::wstring> captions) {
    menu_.quickLoginCaptions = std::move(captions);
}

void DummyFRM::ClearQuickLogins() {
    if (menu_.quickLoginCaptions.size() > 1) menu_.quickLoginCaptions.resize(1);
}

void DummyFRM::SetQuickLoginsEnabled(bool enabled) { menu_.quickLoginsEnabled = enabled; }

void DummyFRM::SetRunInProgress(bool running) { menu_.runInProgress = running; }

void DummyFRM::OpenMenu() {
    // The commands are decoded against the menu that was shown, whatever changes meanwhile.
    const TrayMenuState shown = menu_;
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

void DummyFRM::popupmenue_config_Click() { ShowLoginConfig(settings(), RebuildTrayMenu); }

// Index 0 the end-user agreement, 1 the rules of conduct.
void DummyFRM::popupmenue_daoc_lizenzen_Click(int index) {
    ShowAgreement(index == 0 ? L"daoc_euala.txt" : L"daoc_roc.txt");
}

void DummyFRM::popupmenue_beenden_Click() { QuitProgram(); }

void DummyFRM::popup_teams_Click(const std::wstring& team) { RunTeam(settings(), team); }

void DummyFRM::popup_chars_Click(int index) {
    // The entry is read again now: the file may have changed since the menu was built.
    if (!CheckSettingsBeforeUse(settings())) return;
    const std::wstring text = settings().ReadQuickLoginText(index);
    if (text.empty()) {
        ShowError(L"Eintrag nicht gefunden");
        return;
    }
    RunQuickLogin(settings(), text, TrayLoginObserver::Instance());
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
        icon_.ReAdd(kProductName);
        return 0;
    }
    handled = false;
    return 0;
}
