// From a game window's appearance to its new title and its stored place, over several
// logins against the game double, which logs when its window is shown, retitled and moved.
// Beside it, on the same log and clock, the driver's first click on that window, which the
// same timer tick makes: the known reaction of the login driver.
#include <algorithm>
#include <chrono>

#include "bench_util.h"
#include "support/automation.h"
#include "support/game_double.h"

using namespace std::chrono;

int main() {
    const std::wstring entry = L"Aldwin,LYONESSE,Albion,acc1,Main";
    std::vector<double> titled, placed, clicked;
    for (int round = 0; round < 7; ++round) {
        uia::GameInstall game("window_delay_ms=200\r\nlinger_ms=0\r\n");
        uia::ProgramFolder folder;
        folder.Write(L"Corvalink.dat", "[accounts]\r\n" + uia::AccountLine(L"acc1", L"secret12") +
                                           "[clients]\r\nMain=" + uia::Ansi(game.path()) +
                                           "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n"
                                           "[help]\r\n1=0\r\n[quicklogin]\r\n" +
                                           uia::QuickLoginLine(0, entry) +
                                           "[places]\r\n0=300,200,500,400,\\\\.\\DISPLAY1," + uia::Scrambled(entry) +
                                           "\r\n");
        uia::RunningProgram program = uia::RunningProgram::Start(folder);
        if (!uia::WaitForTrayWindow(program.pid()) || !uia::PickQuickLogin(program.pid(), 0) ||
            !game.WaitFor("logged-in")) {
            std::printf("the login did not complete\n");
            return 1;
        }
        long long shown = 0, title = 0, place = 0, click = 0;
        HWND window = nullptr;
        for (const auto& e : game.Log()) {
            if (e.name == "game-window") window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(e.detail)));
            if (e.name == "shown" && e.detail == "game") shown = e.microseconds;
            if (shown && !title && e.name == "title") title = e.microseconds;
            if (shown && !place && e.name == "place") place = e.microseconds;
            if (shown && !click && e.name == "game-click") click = e.microseconds;
        }
        if (!shown || !title || !place || !click) {
            std::printf("the game window was not titled, placed and clicked\n");
            return 1;
        }
        titled.push_back((title - shown) / 1000.0);
        placed.push_back((place - shown) / 1000.0);
        clicked.push_back((click - shown) / 1000.0);
        PostMessageW(window, WM_CLOSE, 0, 0);  // the double ends with its window
        game.WaitFor("end");
    }
    const auto row = [](const char* what, std::vector<double> ms) {
        std::printf("| %s (median of %zu logins) | %.1f ms | min %.1f, max %.1f ms | |\n", what, ms.size(),
                    bench::Median(ms), *std::min_element(ms.begin(), ms.end()),
                    *std::max_element(ms.begin(), ms.end()));
    };
    row("Game window shown to its new title", titled);
    row("Game window shown to its stored place", placed);
    row("Game window shown to the driver's first click on it (same tick)", clicked);
    return 0;
}
