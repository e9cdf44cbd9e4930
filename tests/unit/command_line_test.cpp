// The command line: its words, and the command they resolve to against the QuickLogins and
// teams, or why not.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "forms/config/desktop_shortcut.h"

namespace {

using Kind = ProgramCommand::Kind;
using Problem = CommandProblem::Kind;

TEST(CommandLine, WordsKeepQuotedBlanksAndDoubledQuotes) {
    EXPECT_EQ(SplitArguments(L"  /login   \"LYONESSE/Albion: Aldwin\"  "),
              (std::vector<std::wstring>{L"/login", L"LYONESSE/Albion: Aldwin"}));
    EXPECT_EQ(SplitArguments(L"/team \"Der \"\"Abend\"\"\" x\"y z\""),
              (std::vector<std::wstring>{L"/team", L"Der \"Abend\"", L"xy z"}));
    EXPECT_EQ(SplitArguments(L"/team \"\""), (std::vector<std::wstring>{L"/team", L""}));
}

TEST(CommandLine, ResolvesAgainstTheFileOrNamesWhatIsWrong) {
    const std::vector<std::wstring> entries = {L"Aldwin,LYONESSE,Albion,acc1,C0", L"Bryn,LYONESSE,Albion,acc1,C1",
                                               L"Twin,LYONESSE,Albion,acc1,C0", L"twin,Lyonesse,Albion,acc2,C1"};
    const std::vector<std::wstring> teams = {L"Abend"};
    const struct {
        const wchar_t* arguments;
        std::variant<ProgramCommand, CommandProblem> expected;
    } cases[] = {
        {L"/login \"LYONESSE/Albion: Aldwin\"", ProgramCommand{Kind::kLogin, entries[0]}},
        {L"-LOGIN \"lyonesse/albion: bryn\"", ProgramCommand{Kind::kLogin, entries[1]}},
        {L"/front \"LYONESSE/Albion: Bryn\"", ProgramCommand{Kind::kFront, entries[1]}},
        {L"/team abend", ProgramCommand{Kind::kTeam, L"Abend"}},
        {L"/Config", ProgramCommand{Kind::kConfig, L""}},
        {L"/login \"LYONESSE/Albion: Nobody\"", CommandProblem{Problem::kNoQuickLogin, L"LYONESSE/Albion: Nobody"}},
        {L"/login \"LYONESSE/Albion: Twin\"", CommandProblem{Problem::kAmbiguous, L"LYONESSE/Albion: Twin"}},
        {L"/team Morgen", CommandProblem{Problem::kNoTeam, L"Morgen"}},
        {L"/start x", CommandProblem{Problem::kUnknownSwitch, L"/start"}},
        {L"login x", CommandProblem{Problem::kUnknownSwitch, L"login"}},
        {L"/", CommandProblem{Problem::kUnknownSwitch, L"/"}},
        {L"/login", CommandProblem{Problem::kMissingName, L"/login"}},
        {L"/config now", CommandProblem{Problem::kExtra, L"now"}},
        {L"/team Abend /config", CommandProblem{Problem::kExtra, L"/config"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveCommand(c.arguments, entries, teams), c.expected)
            << testing::PrintToString(std::string(c.arguments, c.arguments + wcslen(c.arguments)));
}

TEST(CommandLine, AHandedCommandIsTakenOnlyByTheCorvalinkItNames) {
    const ProgramCommand command{Kind::kLogin, L"Aldwin,LYONESSE,Albion,acc1,C0"};
    const std::wstring handed = command.Handed(L"Local\\Corvalink-00ff");
    EXPECT_EQ(ProgramCommand::FromHanded(handed, L"Local\\Corvalink-00ff"), command);
    EXPECT_EQ(ProgramCommand::FromHanded(handed, L"Local\\Corvalink-00fe"), std::nullopt);
    EXPECT_EQ(ProgramCommand::FromHanded(L"Local\\Corvalink-00ff\nshutdown\n", L"Local\\Corvalink-00ff"), std::nullopt);
    EXPECT_EQ(ProgramCommand::FromHanded(L"garbage", L"Local\\Corvalink-00ff"), std::nullopt);
}

// A shortcut's arguments read back as the command they name; its file name holds no character
// that a file name cannot.
TEST(CommandLine, AShortcutsArgumentsAndFileName) {
    const std::wstring odd = L"Der \"Abend\" um 8";
    EXPECT_EQ(ResolveCommand(TeamArguments(odd), {}, {odd}),
              (std::variant<ProgramCommand, CommandProblem>(ProgramCommand{Kind::kTeam, odd})));
    EXPECT_EQ(LoginArguments(L"LYONESSE/Albion: Aldwin"), L"/login \"LYONESSE/Albion: Aldwin\"");
    EXPECT_EQ(ShortcutFileName(L"LYONESSE/Albion: Aldwin"), L"LYONESSE-Albion Aldwin");
    EXPECT_EQ(ShortcutFileName(L"a<b>c|d?e*f\"g\\h. "), L"a-b-c-d-e-f-g-h");
    EXPECT_EQ(ShortcutFileName(L"..."), L"-");
}

}  // namespace
