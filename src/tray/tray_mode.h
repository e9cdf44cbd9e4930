// Entering and leaving tray mode. Tray mode owns the one hidden tray window; everything of
// the tray gets from it what it needs.
#pragma once

#include <string>

#include "store/settings.h"
#include "tray/program_command.h"

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
// The tray takes commands handed over by a second start that name `instance` (the name of this
// Corvalink's single-instance lock).
void AcceptHandedCommands(const std::wstring& instance);
// Carries out a command of the command line once tray mode runs; false when it does not.
bool RunInTray(const ProgramCommand& command);
