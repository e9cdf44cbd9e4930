// The start procedure: checks, then the wizard or tray mode.
#pragma once
#include <functional>
#include <optional>
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

// The exit code of a command line that Corvalink cannot carry out (an unknown switch, a
// caption that names no QuickLogin or two, a team that does not exist).
inline constexpr int kExitBadCommand = 2;

// Runs the start procedure. The exit code when the program must end now (after its message,
// or once a running Corvalink took its command); nothing when a window is loaded and the
// message loop should run.
std::optional<int> RunStartProcedure();
