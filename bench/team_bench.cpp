// A team of three QuickLogins against the game double (which waits before each of its windows,
// 2 s unless given as the first argument, in milliseconds), against the same three logins
// chosen one after another from the menu, each as soon as the previous one is logged in. The
// games' own time is what the doubles took from their start to the login; the rest is
// Corvalink's (and, by hand, the menu's).
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "bench_util.h"
#include "support/automation.h"
#include "support/game_double.h"

using namespace std::chrono;

namespace {

struct Run {
    double wallMs = 0, gamesMs = 0;
};

long long At(const uia::GameInstall& game, const std::string& event) {
    for (const auto& e : game.Log())
        if (e.name == event) return e.microseconds;
    return 0;
}

bool Measure(int delayMs, bool asTeam, Run& run) {
    std::vector<std::unique_ptr<uia::GameInstall>> games;
    std::string clients = "[clients]\r\n", entries = "[quicklogin]\r\n", team = "[teams]\r\nGruppe=3\r\n[team:Gruppe]\r\n";
    for (int i = 0; i < 3; ++i) {
        games.push_back(std::make_unique<uia::GameInstall>("window_delay_ms=" + std::to_string(delayMs) +
                                                           "\r\nlinger_ms=0\r\n"));
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "literal" + std::string.
        clients.append("C").append(std::to_string(i)).append("=").append(uia::Ansi(games.back()->path())).append("\r\n");
        const std::wstring entry = L"Char" + std::to_wstring(i) + L",LYONESSE,Albion,acc1,C" + std::to_wstring(i);
        entries += uia::QuickLoginLine(i, entry);
        team += uia::QuickLoginLine(i, entry);
    }
    uia::ProgramFolder folder;
    folder.Write(L"Corvalink.dat", "[accounts]\r\n" + uia::AccountLine(L"acc1", L"secret12") + clients +
                                       "[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n" +
                                       entries + team);
    uia::RunningProgram program = uia::RunningProgram::Start(folder);
    if (!uia::WaitForTrayWindow(program.pid())) return false;
    Sleep(500);
    const auto begin = steady_clock::now();
    if (asTeam) {
        if (!uia::PickTeam(program.pid(), 0, {3, 1})) return false;
        for (auto& game : games)
            if (!game->WaitFor("logged-in", milliseconds(10 * delayMs + 60000))) return false;
    } else {
        // As a player would: the next one as soon as the menu offers it again (the run of the
        // previous one ends once its terms window is accepted).
        for (size_t i = 0; i < 3; ++i) {
            while (games[i]->Count("start") == 0) {
                if (!uia::PickQuickLogin(program.pid(), i)) return false;
                // The games before it still run: Corvalink asks before starting another.
                if (i > 0) uia::AnswerMessageBox(program.pid(), IDYES, milliseconds(2000));
                games[i]->WaitFor("start", milliseconds(100));
                if (steady_clock::now() - begin > seconds(120)) return false;
            }
            if (!games[i]->WaitFor("logged-in", milliseconds(10 * delayMs + 60000))) return false;
        }
    }
    run.wallMs = bench::Milliseconds(steady_clock::now() - begin);
    for (auto& game : games) run.gamesMs += (At(*game, "logged-in") - At(*game, "start")) / 1000.0;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int delayMs = argc > 1 ? std::atoi(argv[1]) : 2000;
    constexpr int kRounds = 3;
    // Alternating, so that the machine's moods fall on both alike.
    std::vector<double> teamBesides, teamWall, handBesides, handWall;
    for (int round = 0; round < kRounds; ++round) {
        Run team, byHand;
        if (!Measure(delayMs, true, team)) {
            std::printf("the team's logins did not complete\n");
            return 1;
        }
        if (!Measure(delayMs, false, byHand)) {
            std::printf("the logins by hand did not complete\n");
            return 1;
        }
        teamWall.push_back(team.wallMs);
        teamBesides.push_back((team.wallMs - team.gamesMs) / 3);
        handWall.push_back(byHand.wallMs);
        handBesides.push_back((byHand.wallMs - byHand.gamesMs) / 3);
    }
    const auto print = [&](const char* what, const std::vector<double>& wall, const std::vector<double>& besides) {
        const auto [low, high] = std::minmax_element(besides.begin(), besides.end());
        std::printf("| %s (%d s before each window; median of %d) | %.0f ms | %.0f ms a member besides the games' "
                    "own (min %.0f, max %.0f) | |\n",
                    what, delayMs / 1000, kRounds, bench::Median(wall), bench::Median(besides), *low, *high);
    };
    print("A team of three: total", teamWall, teamBesides);
    print("The same three chosen one after another from the menu", handWall, handBesides);
    return 0;
}
