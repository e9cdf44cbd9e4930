// Corvalink: logs a player into Dark Age of Camelot from the notification area.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/startup.h"
#include "ui/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's dialogs and link objects need a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (const std::optional<int> ended = RunStartProcedure()) return *ended;
    return ui::RunMessageLoop();
}
