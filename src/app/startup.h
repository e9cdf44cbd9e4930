// The start procedure: checks, then the wizard or tray mode.
#pragma once
#include <string>

enum class StartMode { kWizard, kTray };

// Tray mode when the settings file exists and holds a non-empty QuickLogin entry "0".
StartMode ChooseStartMode();

// The arguments of a command line: what follows the program's own name, without the blanks
// between them.
std::wstring ArgumentsOf(const std::wstring& commandLine);

// Runs the start procedure. False when the program must end now (after its message);
// true when a window is loaded and the message loop should run.
bool RunStartProcedure();
