// Start-up until the tray icon exists, and memory in the tray, each against the floor: a
// minimal program that does the same work up to the icon (bench/floor.cpp).
#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "bench_util.h"
#include "support/automation.h"

using namespace std::chrono;

namespace {

constexpr int kRounds = 15;

struct Figures {
    double startMs, privateKiB;
};

Figures Measure(const std::wstring& exe, const std::function<bool(DWORD)>& ready) {
    const auto begin = steady_clock::now();
    uia::RunningProgram program = uia::RunningProgram::StartExe(exe);
    while (!ready(program.pid())) std::this_thread::sleep_for(microseconds(500));
    const double startMs = bench::Milliseconds(steady_clock::now() - begin);
    std::this_thread::sleep_for(milliseconds(300));  // settled in the tray
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, program.pid());
    const double kib = bench::PrivateKiB(process);
    CloseHandle(process);
    return {startMs, kib};
}

}  // namespace

int main() {
    const std::wstring floorExe = uia::BuiltProgramDir() + L"\\..\\bench\\floor.exe";
    const auto floorReady = [](DWORD pid) {
        HWND window = uia::FindWindowOf(pid, L"CorvalinkFloor", nullptr);
        return window && uia::TrayIconExists(window);
    };
    const auto corvalinkReady = [](DWORD pid) {
        HWND tray = uia::FindWindowOf(pid, L"#32770", L"Corvalink");
        return tray && uia::TrayIconExists(tray);
    };
    for (int count : {10, 10000}) {
        uia::ProgramFolder folder;
        std::string text = "[quicklogin]\r\n";
        for (int i = 0; i < count; ++i)
            text += uia::QuickLoginLine(i, L"Char" + std::to_wstring(i) + L",LYONESSE,Albion,acc1,Main");
        folder.Write(L"Corvalink.dat", text);
        std::vector<double> corvaStart, corvaMem, floorStart, floorMem;
        for (int round = 0; round < kRounds; ++round) {
            // Interleaved, so that the machine's moods fall on both alike.
            const Figures f = Measure(floorExe, floorReady);
            floorStart.push_back(f.startMs);
            floorMem.push_back(f.privateKiB);
            const Figures c = Measure(folder.Exe(), corvalinkReady);
            corvaStart.push_back(c.startMs);
            corvaMem.push_back(c.privateKiB);
        }
        const double fs = bench::Median(floorStart), cs = bench::Median(corvaStart);
        const double fm = bench::Median(floorMem), cm = bench::Median(corvaMem);
        const auto [minStart, maxStart] = std::minmax_element(corvaStart.begin(), corvaStart.end());
        std::printf(
            "| Start-up until the tray icon exists, %d QuickLogins (median of %d; min %.0f, max %.0f) | %.0f ms "
            "| floor %.0f ms | %.2f x floor |\n",
            count, kRounds, *minStart, *maxStart, cs, fs, cs / fs);
        std::printf("| Private memory in the tray, %d QuickLogins | %.0f KiB | floor %.0f KiB | %.2f x floor |\n",
                    count, cm, fm, cm / fm);
    }
    return 0;
}
