// Building the tray menu's QuickLogin items from the settings file (reading and unscrambling
// every entry) and the popup menu itself, as every rebuild and every right click does.
#include <chrono>

#include "base/paths.h"
#include "bench_util.h"
#include "store/settings.h"
#include "support/automation.h"
#include "support/temp_dir.h"
#include "tray/dummy_frm.h"

using namespace std::chrono;

int main() {
    testing_support::TempDir dir;
    InitPaths(dir / L"Corvalink.exe");
    CopyFileW((uia::BuiltProgramDir() + L"\\Corvalink.lng").c_str(), LangFile().c_str(), FALSE);
    Settings settings(SettingsFile());
    DummyFRM tray;
    tray.Create();
    tray.UseSettings(settings);
    for (int count : {10, 100, 1000}) {
        std::string settings = "[quicklogin]\r\n";
        for (int i = 0; i < count; ++i)
            settings += uia::QuickLoginLine(i, L"Char" + std::to_wstring(i) + L",LYONESSE,Albion,account,Main");
        testing_support::WriteBytes(SettingsFile(), settings);
        std::vector<double> times;
        for (int round = 0; round < 7; ++round) {
            const auto begin = steady_clock::now();
            tray.ReadMenuItems();
            base::ScopedMenu menu = BuildTrayMenu(tray.MenuState());
            times.push_back(bench::Milliseconds(steady_clock::now() - begin));
        }
        std::printf("| Tray menu with %d QuickLogins | %.1f ms | | |\n", count, bench::Median(times));
    }
    return 0;
}
