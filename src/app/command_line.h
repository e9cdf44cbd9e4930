// Corvalink's command line: `/login "<caption>"` logs a QuickLogin in (named as the menu names
// it, "LYONESSE/Albion: Aldwin"), `/team "<name>"` starts a team, `/front "<caption>"` brings
// its running game to the front, `/config` opens the configuration window. Switches in any
// case, "-" as well as "/"; one command a start.
#pragma once
#include <string>
#include <variant>
#include <vector>

#include "tray/program_command.h"

// Why a command line cannot be carried out; `value` names what it is about.
struct CommandProblem {
    enum class Kind {
        kUnknownSwitch,  // `value`: the word
        kMissingName,    // `value`: the switch without its name
        kExtra,          // `value`: the first word after a whole command
        kNoQuickLogin,   // `value`: the caption, which no QuickLogin has
        kAmbiguous,      // `value`: the caption, which several QuickLogins have
        kNoTeam,         // `value`: the name, which no team has
    };
    Kind kind;
    std::wstring value;
    bool operator==(const CommandProblem&) const = default;
};

// The words of the arguments: blanks part them, double quotes keep blanks inside one, and a
// doubled quote inside quotes stands for a quote.
std::vector<std::wstring> SplitArguments(const std::wstring& arguments);

// The command the arguments ask for, its target resolved against the QuickLogins' whole
// entries and the teams' names (captions and names without regard to case); or why not.
std::variant<ProgramCommand, CommandProblem> ResolveCommand(const std::wstring& arguments,
                                                            const std::vector<std::wstring>& quickLogins,
                                                            const std::vector<std::wstring>& teams);

// The problem in words for the player.
std::wstring CommandProblemText(const CommandProblem& problem);
