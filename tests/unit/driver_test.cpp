// The login driver run inside the test against the game double: what it tells the user
// through the tray tip, and how it treats the processor while it waits.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/paths.h"
#include "login/game_login.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "tray/systray_icon.h"

namespace {

struct Observed {
    std::wstring tip;
    DWORD priority;
};
std::vector<Observed>* g_observed = nullptr;

void CALLBACK Observe(HWND, UINT, UINT_PTR, DWORD) {
    const Observed now{CurrentTrayTip(), GetPriorityClass(GetCurrentProcess())};
    if (g_observed->empty() || g_observed->back().tip != now.tip) g_observed->push_back(now);
}

TEST(LoginDriver, TheTrayTipNamesTheAwaitedWindowWhileTheProgramIdlesForTheLauncher) {
    uia::ProgramFolder folder;
    folder.Write(L"Corvalink.dat", "[help]\r\n1=0\r\n");  // no help pages in the way
    InitPaths(folder.Exe());
    uia::GameInstall game("window_delay_ms=400\r\nlinger_ms=100\r\n");
    std::vector<Observed> observed;
    g_observed = &observed;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, Observe);
    const LoginOutcome outcome = DriveGameLogin(L"acc1", L"secret12", game.path());
    KillTimer(nullptr, timer);
    Observe(nullptr, 0, 0, 0);
    g_observed = nullptr;

    EXPECT_EQ(outcome, LoginOutcome::kCompleted);
    std::vector<std::wstring> tips;
    for (const Observed& o : observed) tips.push_back(o.tip);
    const std::vector<std::wstring> expected = {
        L"Corvalink :: wartet auf den DAoC-Launcher", L"Corvalink :: wartet auf das Spielfenster",
        L"Corvalink :: wartet auf das Anmeldefenster", L"Corvalink :: wartet auf die Lizenzvereinbarung",
        L"Corvalink :: wartet auf die Nutzungsbedingungen", L"Corvalink"};
    // Each awaited window in order (a short wait may pass between two observations).
    size_t next = 0;
    for (const std::wstring& tip : tips)
        if (next < expected.size() && tip == expected[next]) ++next;
    EXPECT_EQ(next, expected.size()) << uia::Ansi(tips.empty() ? L"" : tips.back());
    ASSERT_FALSE(observed.empty());
    EXPECT_EQ(observed.front().tip, expected.front());
    EXPECT_EQ(observed.front().priority, static_cast<DWORD>(IDLE_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

}  // namespace
