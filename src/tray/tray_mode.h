// Entering tray mode and rebuilding the QuickLogin items of the tray menu.
#pragma once

#include "store/settings.h"

// Unloads the wizard, builds the QuickLogin items from the settings file and adds the icon.
// The tray works on `settings` from then on.
void StartTrayMode(Settings& settings);
// Builds the QuickLogin items from the tray's settings file (loading the tray window if needed).
void BuildQuickLoginItems();
// Removes the QuickLogin items before StartTrayMode builds them anew.
void ClearTrayMenu();
// ClearTrayMenu and StartTrayMode: after the QuickLogins were saved.
void RebuildTrayMenu();
// Tray mode after the wizard's Finish, with the welcome help page.
void StartTrayModeAfterWizard(Settings& settings);
