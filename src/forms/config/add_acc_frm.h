// The account window: store and remove game accounts (login name and password).
#pragma once
#include <windows.h>

// Shows the window modal over `owner`; returns when it is closed.
void ShowAccountWindow(HWND owner);
