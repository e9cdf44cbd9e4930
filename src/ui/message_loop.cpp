#include "ui/message_loop.h"

#include <windows.h>

#include "ui/form.h"

namespace ui {

namespace {

void DispatchOne(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && Form::FromHwnd(root) && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

}  // namespace

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchOne(msg);
    }
}

void WaitForEvents(unsigned milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    DoEvents();
}

void RunMessageLoopWhile(const std::function<bool()>& keepRunning) {
    MSG msg;
    while (keepRunning()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        DispatchOne(msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    // The program lives while one of its windows is loaded.
    while (Form::LoadedCount() > 0) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) return 1;
        DispatchOne(msg);
    }
    return 0;
}

}  // namespace ui
