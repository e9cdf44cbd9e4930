// "Speichern" in the configuration window as the player meets it: from the click to the
// window closed, which takes the transaction (a copy of the settings file written, read back
// and put in place), reading the file again and rebuilding the tray menu. The file holds
// `count` QuickLogins and the save moves the first of them one down (two lines change), or
// removes it (every later line changes: the entries are numbered).
#include <algorithm>
#include <chrono>

#include "bench_util.h"
#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"

using namespace std::chrono;

int main() {
    struct Scenario {
        int count;
        bool remove;
    };
    for (const Scenario scenario : {Scenario{10, false}, Scenario{1000, false}, Scenario{10000, true}}) {
        const int count = scenario.count;
        uia::ProgramFolder folder;
        std::string text = "[clients]\r\nMain=C:\\Spiele\\DAoC\r\n[help]\r\n1=0\r\n[quicklogin]\r\n";
        for (int i = 0; i < count; ++i)
            text += uia::QuickLoginLine(i, L"Chär" + std::to_wstring(i) + L",LYONESSE,Albion,account,Main");
        folder.Write(L"Corvalink.dat", text);
        uia::RunningProgram program = uia::RunningProgram::Start(folder);
        std::vector<double> times;
        for (int round = 0; round < 5; ++round) {
            HWND config = uia::OpenConfigWindow(program.pid());
            if (!config) {
                std::printf("the configuration window did not open\n");
                return 1;
            }
            uia::ListViewSelectIn(GetDlgItem(config, login_cnf_frm::ChrLstVw), 0);
            if (scenario.remove) {
                PostMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::DelCmd, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(config, login_cnf_frm::DelCmd)));
                uia::AnswerMessageBox(program.pid(), IDYES);
            } else {
                uia::PressButton(config, login_cnf_frm::ChgPosCmd[1]);  // the first row one down: a change
            }
            const auto begin = steady_clock::now();
            PostMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::SaveCmd, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(config, login_cnf_frm::SaveCmd)));
            while (IsWindow(config)) Sleep(1);
            times.push_back(bench::Milliseconds(steady_clock::now() - begin));
        }
        std::printf(
            "| Speichern with %d QuickLogins, the first %s, click to window closed (median of %zu) | %.1f "
            "ms | min %.1f, max %.1f ms | |\n",
            count, scenario.remove ? "removed" : "moved down", times.size(), bench::Median(times),
            *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
    }
    return 0;
}
