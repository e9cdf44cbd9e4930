// Opening the configuration window with many QuickLogins, against the floor: a window with a
// bare list view of as many rows (bench/floor.cpp). Both are opened as a player does, with a
// double click on the tray icon, and timed until the window is shown with all its rows; then
// closed. Rounds alternate between the two. The settings file is older than 2 s, as when a
// player opens the window.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "bench_util.h"
#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"
#include "tray/systray_icon.h"

using namespace std::chrono;

namespace {

constexpr int kRounds = 9;

// From the double click to a shown window whose list holds `rows` rows, in milliseconds; the
// window is closed again. -1 when it did not open.
double OpenAndClose(DWORD pid, HWND tray, const wchar_t* windowClass, const wchar_t* title, int rows) {
    const auto begin = steady_clock::now();
    PostMessageW(tray, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    HWND window = nullptr, list = nullptr;
    while (steady_clock::now() - begin < seconds(60)) {
        window = uia::FindWindowOf(pid, windowClass, title);
        list = window ? FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
        if (list && IsWindowVisible(window) && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == rows) break;
        std::this_thread::sleep_for(microseconds(200));
    }
    // The window has painted what it shows once it answers.
    SendMessageW(window, WM_NULL, 0, 0);
    const double ms = bench::Milliseconds(steady_clock::now() - begin);
    if (!list) return -1;
    if (!uia::CloseAndWait(window)) return -1;
    return ms;
}

}  // namespace

int main() {
    const std::wstring floorExe = uia::BuiltProgramDir() + L"\\..\\bench\\floor.exe";
    const std::wstring title = L"Corvalink :: Konfiguration der QuickLogins";
    for (int count : {10, 1000, 10000}) {
        uia::ProgramFolder folder;
        std::string text = "[help]\r\n1=0\r\n[quicklogin]\r\n";
        for (int i = 0; i < count; ++i)
            text += uia::QuickLoginLine(i, L"Char" + std::to_wstring(i) + L",LYONESSE,Albion,acc1,Main");
        folder.Write(L"Corvalink.dat", text);
        // As a player meets it: the file was written a while ago. Wine reads a settings file
        // younger than about 2 s anew at every read (its profile cache keeps only older ones).
        std::this_thread::sleep_for(milliseconds(2500));
        uia::RunningProgram corvalink = uia::RunningProgram::Start(folder);
        uia::RunningProgram floor = uia::RunningProgram::StartExe(floorExe, std::to_wstring(count));
        HWND corvalinkTray = uia::WaitForTrayWindow(corvalink.pid(), seconds(60));
        HWND floorTray = nullptr;
        uia::WaitUntil(
            [&] { return (floorTray = uia::FindWindowOf(floor.pid(), L"CorvalinkFloor", nullptr)) != nullptr; });
        if (!corvalinkTray || !floorTray) {
            std::printf("a program did not reach the tray\n");
            return 1;
        }
        std::vector<double> corvalinkMs, floorMs;
        for (int round = 0; round < kRounds; ++round) {
            floorMs.push_back(OpenAndClose(floor.pid(), floorTray, L"CorvalinkFloorList", nullptr, count));
            corvalinkMs.push_back(OpenAndClose(corvalink.pid(), corvalinkTray, L"#32770", title.c_str(), count));
        }
        if (std::min(*std::min_element(corvalinkMs.begin(), corvalinkMs.end()),
                     *std::min_element(floorMs.begin(), floorMs.end())) < 0) {
            std::printf("a window did not open or close\n");
            return 1;
        }
        const double c = bench::Median(corvalinkMs), f = bench::Median(floorMs);
        const auto [minC, maxC] = std::minmax_element(corvalinkMs.begin(), corvalinkMs.end());
        std::printf(
            "| Configuration window opened with %d QuickLogins, double click to shown (median of %d; min %.0f, "
            "max %.0f) | %.0f ms | floor %.0f ms (a bare list view of %d rows) | %.2f x floor |\n",
            count, kRounds, *minC, *maxC, c, f, count, c / f);
    }
    return 0;
}
