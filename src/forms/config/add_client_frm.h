// The client window: store and remove game installations under a short name.
#pragma once
#include <windows.h>

// Shows the window modal over `owner`; returns when it is closed.
void ShowClientWindow(HWND owner);
