// The tray menu: built from the items the tray holds (read from the settings file once, before
// the clock runs), which the tray does once per change of them, and opened as a right click
// does, shown at the pointer and closed again. With 10 QuickLogins as the floor, and with many.
#include <algorithm>
#include <chrono>

#include "base/paths.h"
#include "bench_util.h"
#include "store/settings.h"
#include "support/automation.h"
#include "support/temp_dir.h"
#include "tray/dummy_frm.h"

using namespace std::chrono;

namespace {

// Closes the menu that is open as soon as its loop handles its first message.
void CALLBACK CloseTheMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

}  // namespace

int main() {
    testing_support::TempDir dir;
    InitPaths(dir / L"Corvalink.exe");
    CopyFileW((uia::BuiltProgramDir() + L"\\Corvalink.lng").c_str(), LangFile().c_str(), FALSE);
    Settings settings(SettingsFile());
    DummyFRM tray;
    tray.Create();
    tray.UseSettings(settings);
    double floorMs = 0;
    for (int count : {10, 1000, 10000}) {
        std::string text = "[quicklogin]\r\n";
        for (int i = 0; i < count; ++i)
            text += uia::QuickLoginLine(i, L"Char" + std::to_wstring(i) + L",LYONESSE,Albion,account,Main");
        testing_support::WriteBytes(SettingsFile(), text);
        tray.ReadMenuItems();
        // Built once per change of the items; opened at every right click.
        std::vector<double> builds, opens;
        for (int round = 0; round < (count > 1000 ? 3 : 7); ++round) {
            const auto begin = steady_clock::now();
            base::ScopedMenu menu = BuildTrayMenu(tray.MenuState());
            const auto built = steady_clock::now();
            SetForegroundWindow(tray.hwnd());
            SetTimer(nullptr, 0, 0, CloseTheMenu);
            TrackPopupMenuEx(menu.get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, 600, 500,
                             tray.hwnd(), nullptr);
            builds.push_back(bench::Milliseconds(built - begin));
            opens.push_back(bench::Milliseconds(steady_clock::now() - built));
        }
        const double open = bench::Median(opens), build = bench::Median(builds);
        if (count == 10) floorMs = open;
        std::printf(
            "| Tray menu with %d QuickLogins opened: shown and closed (median of %zu) | %.1f ms | min %.1f, max "
            "%.1f ms | %.2f x 10 QuickLogins |\n",
            count, opens.size(), open, *std::min_element(opens.begin(), opens.end()),
            *std::max_element(opens.begin(), opens.end()), open / floorMs);
        std::printf(
            "| Tray menu with %d QuickLogins built, once per change (median of %zu) | %.1f ms | min %.1f, max "
            "%.1f ms | |\n",
            count, builds.size(), build, *std::min_element(builds.begin(), builds.end()),
            *std::max_element(builds.begin(), builds.end()));
    }
    return 0;
}
