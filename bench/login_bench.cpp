// Logins against the game double, which waits before each of its windows (20 s unless given
// as the first argument, in milliseconds): Corvalink's processor time over the wall time of
// the run, and the delay from each window's appearance to the driver's action on it. Once as
// it is, once with the about window open for the whole run.
#include <chrono>
#include <cstdlib>
#include <map>

#include "bench_util.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "tray/tray_menu.h"

using namespace std::chrono;

namespace {

bool Measure(int delayMs, bool aboutOpen) {
    uia::GameInstall game("window_delay_ms=" + std::to_string(delayMs) + "\r\n");
    uia::ProgramFolder folder;
    folder.Write(L"Corvalink.dat", "[accounts]\r\n" + uia::AccountLine(L"acc1", L"secret12") +
                                       "[clients]\r\nMain=" + uia::Ansi(game.path()) +
                                       "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n"
                                       "[help]\r\n1=0\r\n[quicklogin]\r\n" +
                                       uia::QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    uia::RunningProgram program = uia::RunningProgram::Start(folder);
    if (!uia::WaitForTrayWindow(program.pid())) return false;
    Sleep(500);

    const double cpuBefore = bench::UnixCpuMilliseconds(folder.Exe());
    const auto begin = steady_clock::now();
    if (!uia::PickQuickLogin(program.pid(), 0)) return false;
    if (aboutOpen) {
        if (!game.WaitFor("start") || !uia::PickTrayCommand(program.pid(), {}, tray_menu::popupmenue_about) ||
            !uia::WaitForWindow(program.pid(), L"#32770", uia::AboutTitle().c_str()))
            return false;
    }
    if (!game.WaitFor("logged-in", milliseconds(10 * delayMs + 60000))) {
        std::printf("the login did not complete\n");
        return false;
    }
    const double wallMs = bench::Milliseconds(steady_clock::now() - begin);
    const double cpuMs = bench::UnixCpuMilliseconds(folder.Exe()) - cpuBefore;

    // Appearance of each window, and the first action of the driver on it.
    const std::map<std::string, std::string> actionOn = {{"launcher", "play-click"},
                                                         {"game", "game-click"},
                                                         {"login", "password-set"},
                                                         {"agreement", "agreement-click"},
                                                         {"terms", "terms-click"}};
    std::map<std::string, long long> shown, acted;
    for (const auto& e : game.Log()) {
        if (e.name == "shown") shown.emplace(e.detail, e.microseconds);
        for (const auto& [window, action] : actionOn)
            if (e.name == action) acted.emplace(window, e.microseconds);
    }
    std::vector<double> delays;
    for (const auto& [window, at] : shown)
        if (acted.count(window)) delays.push_back((acted[window] - at) / 1000.0);
    const char* with = aboutOpen ? ", about window open" : "";
    std::printf(
        "| Driver's processor share while the game starts (%d s before each window%s) | %.2f %% of one core "
        "| %.0f ms in %.0f s | |\n",
        delayMs / 1000, with, 100.0 * cpuMs / wallMs, cpuMs, wallMs / 1000);
    std::printf("| Driver's reaction to a game window (median of %zu%s) | %.1f ms | max %.1f ms | |\n", delays.size(),
                with, bench::Median(delays), delays.empty() ? 0 : *std::max_element(delays.begin(), delays.end()));
    return true;
}

// The measure of processor time, held against a process that spins for a known 2 s.
bool CheckAgainstASpinningProcess() {
    const std::wstring spin = uia::BuiltProgramDir() + L"\\..\\bench\\spin.exe";
    uia::RunningProgram program = uia::RunningProgram::StartExe(spin);
    Sleep(3000);  // its 2 s of spinning are over, and it idles
    const double ms = bench::UnixCpuMilliseconds(spin);
    std::printf(
        "| Check of the processor-time measure: a process that spins 2000 ms | %.0f ms | %s | |\n", ms,
        ms > 1700 && ms < 2300 ? "within 15 %: the figures below are the driver's own" : "OFF: do not trust them");
    return ms > 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int delayMs = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (!CheckAgainstASpinningProcess()) return 1;
    for (bool aboutOpen : {false, true})
        if (!Measure(delayMs, aboutOpen)) return 1;
    return 0;
}
