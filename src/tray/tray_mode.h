// Entering and leaving tray mode. Tray mode owns the one hidden tray window; everything of
// the tray gets from it what it needs.
#pragma once

#include "store/settings.h"

// Unloads the wizard, loads the tray window (ending the program when there is no desktop),
// builds the QuickLogin items from the settings file and adds the icon. The tray works on
// `settings` from then on.
void StartTrayMode(Settings& settings);
// Removes the QuickLogin items before StartTrayMode builds them anew.
void ClearTrayMenu();
// Tray mode after the wizard's Finish, with the welcome help page.
void StartTrayModeAfterWizard(Settings& settings);
// Unloads the tray window, and with it the icon.
void EndTrayMode();
