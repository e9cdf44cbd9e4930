// Entering tray mode and rebuilding the QuickLogin items of the tray menu.
#pragma once

// Unloads the wizard, builds the QuickLogin items from the settings file and adds the icon.
void StartTrayMode();
// Builds the QuickLogin items from the settings file (loading the tray window if needed).
void BuildQuickLoginItems();
// Removes the QuickLogin items before StartTrayMode builds them anew.
void ClearTrayMenu();
