#include "support/game_double.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "support/automation.h"

namespace uia {

namespace {

// The game double's windows are found by title on the whole desktop: tests that bring them up
// take turns, which a test earns by declaring it (tests/CMakeLists.txt). One that did not is
// stopped here, before it can take another test's windows. Programs outside the tests (the
// benchmarks) declare it in their environment too.
void RequireDeclaredGameWindows() {
    const char* declared = std::getenv("CORVALINK_DECLARED");
    if (!declared || !std::strstr(declared, "game_windows"))
        throw std::logic_error(
            "this test brings up the game double's windows without declaring it: add \"// Every test here uses: "
            "game_windows\" at the top of its file or \"// Uses: game_windows\" right above it");
}

}  // namespace

GameInstall::GameInstall(const std::string& scenario, bool withLauncher, const std::wstring& folderName)
    : dir_((RequireDeclaredGameWindows(), L""), folderName) {
    if (withLauncher && !CopyFileW(BuiltGameDouble().c_str(), File(L"camelot.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy the game double");
    // The first of two equal keys counts: the scenario's own lines come before the defaults.
    testing_support::WriteBytes(File(L"double.ini"), "[double]\r\n" + scenario + "linger_ms=500\r\n");
}

std::vector<GameInstall::Event> GameInstall::Log() const {
    std::vector<Event> events;
    std::istringstream lines(testing_support::ReadBytes(File(L"double.log")));
    std::string line;
    while (std::getline(lines, line)) {
        Event e{};
        std::istringstream fields(line);
        fields >> e.microseconds >> e.name;
        std::getline(fields, e.detail);
        if (!e.detail.empty() && e.detail[0] == ' ') e.detail.erase(0, 1);
        events.push_back(e);
    }
    return events;
}

int GameInstall::Count(const std::string& name) const {
    int n = 0;
    for (const Event& e : Log()) n += e.name == name;
    return n;
}

std::string GameInstall::Detail(const std::string& name) const {
    for (const Event& e : Log())
        if (e.name == name) return e.detail;
    return "<none>";
}

bool GameInstall::WaitFor(const std::string& name, std::chrono::milliseconds bound, int count) const {
    return WaitUntil([&] { return Count(name) >= count; }, bound);
}

}  // namespace uia
