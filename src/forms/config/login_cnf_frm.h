// The QuickLogin configuration window: compose, order, remove and save the QuickLogins.
#pragma once
#include <windows.h>

#include <functional>

// Opens the window modeless, or brings the open one to the front with its unsaved rows.
// `saved` runs after the QuickLogins were saved (the tray rebuilds its menu).
void ShowLoginConfig(std::function<void()> saved);
