// A command given to Corvalink from outside, on its command line or handed over from a second
// start: log in a QuickLogin, start a team, bring a running game to the front, open the
// configuration window. Its target is already resolved: the QuickLogin's whole entry, or the
// team's name as the file keeps it.
#pragma once
#include <optional>
#include <string>

struct ProgramCommand {
    enum class Kind { kLogin, kTeam, kFront, kConfig };
    Kind kind = Kind::kConfig;
    std::wstring target;
    bool operator==(const ProgramCommand&) const = default;

    // The form a second start hands over (WM_COPYDATA): the name of the Corvalink it is meant
    // for (one name a settings file, however its path is spelled), so that a Corvalink of
    // another settings file does not take it, then the command.
    std::wstring Handed(const std::wstring& instance) const;
    // The command in a handed form meant for `instance`; nothing for another's, or for a form
    // it does not know.
    static std::optional<ProgramCommand> FromHanded(const std::wstring& handed, const std::wstring& instance);
};
