#include "tray/dummy_frm.h"

#include "app/lang.h"
#include "app/product.h"
#include "app/quit.h"
#include "tray/systray_icon.h"

namespace {

std::unique_ptr<DummyFrm>& Slot() {
    static std::unique_ptr<DummyFrm> instance;
    return instance;
}

}  // namespace

DummyFrm::DummyFrm() : Form({kProductName, 0, 0, {}}, {}) {}

DummyFrm& DummyFrm::Instance() {
    auto& slot = Slot();
    if (!slot || !slot->Loaded()) {
        slot.reset(new DummyFrm());
        slot->Load();
        slot->taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    }
    return *slot;
}

bool DummyFrm::Exists() { return Slot() && Slot()->Loaded(); }

void DummyFrm::Destroy() {
    if (Exists()) Slot()->Unload();
}

void DummyFrm::SetQuickLoginCaptions(std::vector<std::wstring> captions) {
    menu_.quickLoginCaptions = std::move(captions);
}

void DummyFrm::ClearQuickLogins() {
    if (menu_.quickLoginCaptions.size() > 1) menu_.quickLoginCaptions.resize(1);
}

void DummyFrm::SetQuickLoginsEnabled(bool enabled) { menu_.quickLoginsEnabled = enabled; }

void DummyFrm::SetRunInProgress(bool running) { menu_.runInProgress = running; }

void DummyFrm::OpenMenu() {
    ui::ScopedMenu menu = BuildTrayMenu(menu_);
    POINT at{};
    GetCursorPos(&at);
    // The menu closes on a click elsewhere only when its owner is the foreground window.
    SetForegroundWindow(hwnd());
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, hwnd(), nullptr));
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (command) RunCommand(command);
}

void DummyFrm::OnTrayNotify(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_RBUTTONDOWN: OpenMenu(); break;
        default: break;
    }
}

void DummyFrm::RunCommand(UINT command) {
    switch (command) {
        case kCmdExit: QuitProgram();
        default: break;
    }
}

INT_PTR DummyFrm::OnMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) {
    if (msg == kTrayCallbackMessage) {
        handled = true;
        OnTrayNotify(static_cast<UINT>(LOWORD(lParam)));
        return 0;
    }
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        // The notification area was recreated (the shell restarted): show the icon again.
        handled = true;
        AddTrayIcon(kProductName);
        return 0;
    }
    handled = false;
    return 0;
}
