// The start procedure: checks, then the wizard or tray mode.
#pragma once
#include <functional>
#include <string>

#include "store/settings.h"

enum class StartMode { kWizard, kTray };

// Tray mode when the settings file exists and holds a non-empty QuickLogin entry "0".
StartMode ChooseStartMode(const Settings& settings);

// The arguments of a command line: what follows the program's own name, without the blanks
// between them. The name may be quoted, or unquoted with blanks in it (as the system allows):
// then it ends at the first blank where the text before it names the program, as
// `isProgram` tells (given the text before the blank); at the first blank when none does.
std::wstring ArgumentsOf(const std::wstring& commandLine,
                         const std::function<bool(const std::wstring&)>& isProgram = {});

// Runs the start procedure. False when the program must end now (after its message);
// true when a window is loaded and the message loop should run.
bool RunStartProcedure();
