// Saving the QuickLogins as the configuration window's "Speichern" does: one transaction
// that writes a copy of the settings file, reads it back and puts it in place. The file holds
// `count` QuickLogins and the save changes one of them.
#include <chrono>

#include "bench_util.h"
#include "store/settings.h"
#include "support/temp_dir.h"

using namespace std::chrono;

int main() {
    testing_support::TempDir dir;
    Settings settings(dir / L"Corvalink.dat");
    for (int count : {10, 1000}) {
        std::vector<QuickLoginEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back(QuickLoginEntry::FromText(L"Chär" + std::to_wstring(i) + L",LYONESSE,Albion,account,Main"));
        testing_support::WriteBytes(settings.file(), "[clients]\r\nMain=C:\\Spiele\\DAoC\r\n");
        settings.SaveConfiguration({{}, entries, std::nullopt, std::nullopt, {}});
        std::vector<double> times;
        for (int round = 0; round < 7; ++round) {
            const std::vector<QuickLoginEntry> read = entries;
            entries.front().character = L"Round" + std::to_wstring(round);  // every save changes the file
            const auto begin = steady_clock::now();
            const SaveResult saved = settings.SaveConfiguration({read, entries, std::nullopt, std::nullopt, {}});
            times.push_back(bench::Milliseconds(steady_clock::now() - begin));
            if (!saved.ok()) std::printf("save failed: failure %d, error %lu\n", static_cast<int>(saved.failure), saved.error);
        }
        std::printf("| Saving %d QuickLogins (one transaction, read back) | %.1f ms | | |\n", count,
                    bench::Median(times));
    }
    return 0;
}
