// The account window: store and remove game accounts (login name and password).
#pragma once
#include <windows.h>

#include <functional>

// Shows the window modal over `owner`; returns when it is closed. `changed` runs after each
// change of the list (the opener refills its own).
void ShowAccountWindow(HWND owner, std::function<void()> changed);
