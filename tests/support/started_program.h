// A fixture for tests that start the real program: a program folder of its own, the settings
// file the test writes into it, and the program started on it (ended when the test ends).
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "support/automation.h"

namespace uia {

class StartedProgram : public ::testing::Test {
protected:
    // Writes the settings file, starts the program and waits for its tray window; null when none
    // came (a test that expects one asserts it).
    HWND StartWith(const std::string& settings) {
        folder.Write(L"Corvalink.dat", settings);
        program.emplace(RunningProgram::Start(folder));
        return WaitForTrayWindow(program->pid());
    }
    DWORD pid() const { return program->pid(); }

    ProgramFolder folder;
    std::optional<RunningProgram> program;
};

}  // namespace uia
