// A fixture for tests inside the process: a folder of its own that the program's paths point
// into, holding the built language files, and the one Settings object on its settings file.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "base/paths.h"
#include "store/settings.h"
#include "support/automation.h"
#include "support/temp_dir.h"

namespace testing_support {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPaths(dir / L"Corvalink.exe");
        for (const std::wstring& name : uia::BuiltLanguageFiles())
            CopyFileW((uia::BuiltProgramDir() + L"\\" + name).c_str(), (dir / name).c_str(), FALSE);
        settings = std::make_unique<Settings>(SettingsFile());
    }

    TempDir dir;
    std::unique_ptr<Settings> settings;
};

}  // namespace testing_support
