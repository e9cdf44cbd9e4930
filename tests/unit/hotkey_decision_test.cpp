// What a pressed hotkey does, as a table: the file's QuickLogins and teams and the running games
// decide between logging in, starting a team, bringing games to the front and saying that the
// target is gone.
#include <gtest/gtest.h>

#include "tray/hotkey_decision.h"

namespace {

using Action = HotkeyDecision::Action;

TEST(HotkeyDecision, FollowsTheFileAndTheRunningGames) {
    const std::wstring a = L"Aldwin,S,Albion,acc1,Main", b = L"Bea,S,Midgard,acc2,Main";
    HWND windowA = reinterpret_cast<HWND>(0x10), windowB = reinterpret_cast<HWND>(0x20);
    const RunningGame gameA{windowA, 1, a, L""}, gameB{windowB, 2, b, L""};
    const Hotkey quickA{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, a}, team{L"Strg+Alt+2", Hotkey::Kind::kTeam, L"Duo"};
    const struct {
        const char* name;
        Hotkey hotkey;
        std::vector<std::wstring> quickLogins, members;
        std::vector<RunningGame> games;
        HotkeyDecision decision;
    } cases[] = {
        {"a QuickLogin not running logs in", quickA, {a, b}, {}, {gameB}, {Action::kLogIn, {}}},
        {"a QuickLogin running comes to the front",
         quickA,
         {a, b},
         {},
         {gameB, gameA},
         {Action::kBringToFront, {windowA}}},
        {"its game found by its fields",
         {L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, a + L",1"},
         {a},
         {},
         {gameA},
         {Action::kBringToFront, {windowA}}},
        {"a QuickLogin gone from the file", quickA, {b}, {}, {gameA}, {Action::kQuickLoginGone, {}}},
        {"a team with a member not running starts", team, {a, b}, {a, b}, {gameA}, {Action::kStartTeam, {}}},
        {"a team all running comes to the front, its first on top",
         team,
         {a, b},
         {a, b},
         {gameA, gameB},
         {Action::kBringToFront, {windowB, windowA}}},
        {"a team without members is gone", team, {a, b}, {}, {gameA, gameB}, {Action::kTeamGone, {}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideHotkey(c.hotkey, c.quickLogins, c.members, c.games), c.decision) << c.name;
}

}  // namespace
