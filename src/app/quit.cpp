#include "app/quit.h"

#include <windows.h>

#include "tray/systray_icon.h"

void QuitProgram() {
    RemoveTrayIcon();
    ExitProcess(0);
}
