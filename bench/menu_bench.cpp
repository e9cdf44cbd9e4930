// Opening the tray menu as a right click does: the popup menu built from the items the tray
// holds (read from the settings file once, before the clock runs), shown at the pointer and
// closed again. With 10 QuickLogins as the floor, and with many.
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
        std::vector<double> times;
        for (int round = 0; round < (count > 1000 ? 3 : 7); ++round) {
            const auto begin = steady_clock::now();
            base::ScopedMenu menu = BuildTrayMenu(tray.MenuState());
            SetForegroundWindow(tray.hwnd());
            SetTimer(nullptr, 0, 0, CloseTheMenu);
            TrackPopupMenuEx(menu.get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, 600, 500,
                             tray.hwnd(), nullptr);
            times.push_back(bench::Milliseconds(steady_clock::now() - begin));
        }
        const double median = bench::Median(times);
        if (count == 10) floorMs = median;
        std::printf("| Tray menu with %d QuickLogins, built, shown and closed (median of %zu) | %.1f ms | min %.1f, max "
                    "%.1f ms | %.1f x 10 QuickLogins |\n",
                    count, times.size(), median, *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), median / floorMs);
    }
    return 0;
}
