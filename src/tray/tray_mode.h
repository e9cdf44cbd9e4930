// Entering tray mode and rebuilding the QuickLogin items of the tray menu.
#pragma once

// Unloads the wizard, builds the QuickLogin items from the settings file and adds the icon.
void StartTrayMode();
// Builds the QuickLogin items from the settings file (loading the tray window if needed).
void BuildQuickLoginItems();
// Removes the QuickLogin items before StartTrayMode builds them anew.
void ClearTrayMenu();
// ClearTrayMenu and StartTrayMode: after the QuickLogins were saved.
void RebuildTrayMenu();
// Tray mode after the wizard's Finish, with the welcome help page.
void StartTrayModeAfterWizard();
