// The commands for all running games (kGamesCommands) as the tray menu and the configuration
// window name them.
#pragma once
#include <string>

// The command's menu caption without its underlined letter; the name itself for a name that is
// no such command.
std::wstring GamesCommandCaption(const std::wstring& name);
