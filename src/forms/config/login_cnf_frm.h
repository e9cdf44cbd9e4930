// The QuickLogin configuration window: compose, order, remove and save the QuickLogins.
#pragma once
#include <windows.h>

// Opens the window modeless, or brings the open one to the front with its unsaved rows.
void ShowLoginConfig();
// Refill the window's account and client lists from the settings file (nothing selected),
// after the account or client window changed them; nothing when the window is closed.
void RefillConfigAccounts();
void RefillConfigClients();
