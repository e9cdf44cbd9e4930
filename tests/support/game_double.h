// A game installation for tests: a client folder holding the game double camelot.exe with
// its scenario, and what the double wrote to its log.
#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace uia {

class GameInstall {
public:
    // `scenario`: the [double] lines of double.ini (see tests/game/camelot.cpp).
    // `folderName`: the client folder's own name (a generated one when empty).
    explicit GameInstall(const std::string& scenario = "", bool withLauncher = true,
                         const std::wstring& folderName = L"");

    const std::wstring& path() const { return dir_.path(); }
    std::wstring File(const std::wstring& name) const { return dir_ / name; }

    struct Event {
        long long microseconds;
        std::string name;
        std::string detail;  // UTF-8
    };
    std::vector<Event> Log() const;
    int Count(const std::string& name) const;
    // The detail of the first such event; "<none>" when there is none.
    std::string Detail(const std::string& name) const;
    bool WaitFor(const std::string& name, std::chrono::milliseconds bound = std::chrono::seconds(20),
                 int count = 1) const;

private:
    testing_support::TempDir dir_;
};

}  // namespace uia
