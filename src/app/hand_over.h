// A second start with a command hands it to the Corvalink that already runs on the same
// settings file, through that one's tray window (WM_COPYDATA), and ends.
#pragma once
#include <string>

#include "tray/program_command.h"

// True once the Corvalink named `instance` took the command (it carries it out after its
// answer); false when no such Corvalink takes commands (none runs, or it shows its wizard).
bool HandOverCommand(const ProgramCommand& command, const std::wstring& instance);
