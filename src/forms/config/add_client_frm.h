// The client window: store and remove game installations under a short name.
#pragma once
#include <windows.h>

#include <functional>

// Shows the window modal over `owner`; returns when it is closed. `changed` runs after each
// change of the list (the opener refills its own).
void ShowClientWindow(HWND owner, std::function<void()> changed);
