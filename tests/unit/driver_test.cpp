// The login driver run inside the test against the game double: what it reports while it
// waits, and how it treats the processor meanwhile.
// Every test here uses: game_windows
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "base/paths.h"
#include "login/game_login.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "ui/message_loop.h"

namespace {

// Records each awaited window with the process's priority class at that moment.
class Recorder : public LoginObserver {
public:
    struct Waiting {
        GameWindow window;
        DWORD priority;
    };
    std::vector<Waiting> waits;
    int started = 0, launcherShown = 0;
    std::optional<LoginOutcome> outcome;

    void LoginStarted() override { ++started; }
    bool ConfirmSecondGame() override { return true; }
    void LoginWaitingFor(GameWindow window) override {
        waits.push_back({window, GetPriorityClass(GetCurrentProcess())});
    }
    void LauncherShown() override { ++launcherShown; }
    void LoginFailed(const LoginProblem& problem) override { problems.push_back(problem.kind); }
    std::vector<LoginProblem::Kind> problems;
    void LoginEnded(LoginOutcome o) override { outcome = o; }
};

TEST(LoginDriver, ReportsEachAwaitedWindowAndIdlesWhileTheLauncherStarts) {
    uia::ProgramFolder folder;
    InitPaths(folder.Exe());
    uia::GameInstall game("window_delay_ms=400\r\nlinger_ms=100\r\n");
    Recorder recorder;
    ASSERT_TRUE(DriveGameLogin({L"acc1", L"secret12", game.path(), {}, L"Aldwin", {}}, recorder));
    EXPECT_TRUE(GameLoginRunning());
    // A second run waits for the first to end.
    Recorder second;
    EXPECT_FALSE(DriveGameLogin({L"acc1", L"secret12", game.path(), {}, L"Bryn", {}}, second));
    const ULONGLONG deadline = GetTickCount64() + 20000;
    while (!recorder.outcome && GetTickCount64() < deadline) ui::WaitForEvents(50);

    EXPECT_EQ(recorder.outcome, LoginOutcome::kCompleted);
    EXPECT_FALSE(GameLoginRunning());
    EXPECT_EQ(recorder.started, 1);
    EXPECT_EQ(recorder.launcherShown, 1);
    EXPECT_EQ(second.started, 0);
    std::vector<GameWindow> windows;
    for (const auto& w : recorder.waits) windows.push_back(w.window);
    EXPECT_EQ(windows, (std::vector<GameWindow>{GameWindow::kLauncher, GameWindow::kGameWindow,
                                                GameWindow::kLoginDialog, GameWindow::kAgreement, GameWindow::kTerms}));
    EXPECT_TRUE(recorder.problems.empty());
    ASSERT_FALSE(recorder.waits.empty());
    EXPECT_EQ(recorder.waits.front().priority, static_cast<DWORD>(IDLE_PRIORITY_CLASS));
    EXPECT_EQ(GetPriorityClass(GetCurrentProcess()), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(game.Detail("password"), "secret12");
}

}  // namespace
