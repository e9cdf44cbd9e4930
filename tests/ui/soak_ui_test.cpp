// Weeks in the tray, condensed: rounds of logins, windows opened and closed and menus rebuilt.
// After the first round Corvalink's handles, window-system objects and private memory must
// come back to their level. CORVALINK_SOAK_ROUNDS sets the rounds (default 4; 200 for the
// full soak).
// Every test here uses: game_windows, startup_folder
// Every test here takes long
#include <windows.h>
#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdlib>

#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "tray/tray_menu.h"

using namespace uia;

namespace {

struct Usage {
    DWORD handles = 0, gdi = 0, user = 0;
    double privateKiB = 0;
};

Usage UsageOf(DWORD pid) {
    Usage u;
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    GetProcessHandleCount(process, &u.handles);
    u.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    u.user = GetGuiResources(process, GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(process, &counters, sizeof(counters));
    u.privateKiB = counters.PagefileUsage / 1024.0;
    CloseHandle(process);
    return u;
}

HWND OpenAndClose(DWORD pid, const wchar_t* title) {
    HWND window = WaitForWindow(pid, L"#32770", title);
    if (!window) return nullptr;
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !IsWindow(window); });
    return window;
}

TEST(Soak, RoundsOfUseLeakNothing) {
    const char* env = std::getenv("CORVALINK_SOAK_ROUNDS");
    const int rounds = env ? std::max(2, std::atoi(env)) : 4;
    ProgramFolder folder;
    GameInstall game("linger_ms=100\r\n");
    folder.Write(L"Corvalink.dat", "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") +
                                       "[clients]\r\nMain=" + Ansi(game.path()) +
                                       "\r\n[server]\r\nLYONESSE=10.0.0.4:10622\r\n[help]\r\n1=0\r\n"
                                       "[quicklogin]\r\n" +
                                       QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    RunningProgram program = RunningProgram::Start(folder);
    HWND tray = WaitForTrayWindow(program.pid());
    ASSERT_TRUE(tray);

    Usage first;
    for (int round = 1; round <= rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // A login, to the end.
        ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
        ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(30), round));
        ASSERT_TRUE(game.WaitFor("end", std::chrono::seconds(10), round));
        // The about window, and the configuration window saved (which rebuilds the menu).
        ASSERT_TRUE(PickTrayCommand(program.pid(), {}, tray_menu::popupmenue_about));
        ASSERT_TRUE(OpenAndClose(program.pid(), uia::AboutTitle().c_str()));
        TrayMouse(tray, WM_LBUTTONDBLCLK);
        HWND config = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Konfiguration der QuickLogins");
        ASSERT_TRUE(config);
        PressButton(config, login_cnf_frm::SaveCmd);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));
        Sleep(100);
        const Usage now = UsageOf(program.pid());
        std::printf("round %d: handles %lu, GDI %lu, USER %lu, private %.0f KiB\n", round, now.handles, now.gdi,
                    now.user, now.privateKiB);
        if (round == 1) {
            first = now;
            continue;
        }
        EXPECT_LE(now.handles, first.handles + 10);
        EXPECT_LE(now.gdi, first.gdi + 10);
        EXPECT_LE(now.user, first.user + 10);
        EXPECT_LE(now.privateKiB, first.privateKiB + 1024);
    }
    EXPECT_TRUE(program.Running());
}

}  // namespace
