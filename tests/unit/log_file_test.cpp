// The log a player can send: appended in UTF-8, and never past its limit, its older half
// dropped at a line's end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "store/log_file.h"
#include "support/temp_dir.h"

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

TEST(LogFile, AppendsInUtf8AndStaysUnderItsLimit) {
    TempDir dir;
    const std::wstring log = dir / L"Corvalink.log";
    ASSERT_TRUE(AppendLogLine(log, L"Ærwyn: logged in", 200));
    ASSERT_TRUE(AppendLogLine(log, L"second", 200));
    EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBF\xC3\x86rwyn: logged in\r\nsecond\r\n");

    // Lines numbered until the file would pass 200 bytes: the older half goes, from a line's start.
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(AppendLogLine(log, L"line " + std::to_wstring(i), 200));
    const std::string kept = ReadBytes(log);
    EXPECT_LT(kept.size(), 200u);
    EXPECT_EQ(kept.rfind("\xEF\xBB\xBF"
                         "line ",
                         0),
              0u)
        << kept;
    EXPECT_NE(kept.find("line 29\r\n"), std::string::npos) << kept;
    EXPECT_EQ(kept.find("second"), std::string::npos) << kept;

    // A line longer than the limit on its own still is the newest there is.
    const std::wstring longLine(300, L'x');
    ASSERT_TRUE(AppendLogLine(log, longLine, 200));
    EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBF" + std::string(300, 'x') + "\r\n");
}

TEST(LogFile, AFolderThatCannotHoldItIsNoError) {
    TempDir dir;
    EXPECT_FALSE(AppendLogLine(dir / L"missing\\Corvalink.log", L"line"));
    // A log held open by a reader that shares it is still written.
    const std::wstring log = dir / L"held.log";
    WriteBytes(log, "");
    HANDLE reader =
        CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(AppendLogLine(log, L"line"));
    CloseHandle(reader);
}

}  // namespace
