// The first-start wizard: shown instead of tray mode while no QuickLogin exists.
#pragma once

// Creates the wizard and shows it modeless.
void ShowWizard();
// Unloads the wizard if it is loaded.
void UnloadWizard();
