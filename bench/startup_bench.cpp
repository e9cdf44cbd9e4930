// Start-up until the tray icon exists, and memory in the tray, each against the floor: a
// minimal program that creates one hidden window.
#include <chrono>
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
    uia::ProgramFolder folder;
    folder.Write(L"Corvalink.dat", "[quicklogin]\r\n" + uia::QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    const std::wstring floorExe = uia::BuiltProgramDir() + L"\\..\\bench\\floor.exe";

    std::vector<double> corvaStart, corvaMem, floorStart, floorMem;
    for (int round = 0; round < kRounds; ++round) {
        Figures f = Measure(floorExe, [](DWORD pid) { return uia::FindWindowOf(pid, L"CorvalinkFloor", nullptr); });
        floorStart.push_back(f.startMs);
        floorMem.push_back(f.privateKiB);
        Figures c = Measure(folder.Exe(), [](DWORD pid) {
            HWND tray = uia::FindWindowOf(pid, L"#32770", L"Corvalink");
            return tray && uia::TrayIconExists(tray);
        });
        corvaStart.push_back(c.startMs);
        corvaMem.push_back(c.privateKiB);
    }
    const double fs = bench::Median(floorStart), cs = bench::Median(corvaStart);
    const double fm = bench::Median(floorMem), cm = bench::Median(corvaMem);
    std::printf("| Start-up until the tray icon exists | %.0f ms | floor %.0f ms | %.2f x floor |\n", cs, fs, cs / fs);
    std::printf("| Private memory in the tray | %.0f KiB | floor %.0f KiB | %.2f x floor |\n", cm, fm, cm / fm);
    return 0;
}
