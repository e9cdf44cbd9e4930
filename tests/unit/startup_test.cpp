// The parts of the start procedure that are decided without a window.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "base/paths.h"
#include "support/temp_dir.h"

using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

TEST(Arguments, AreWhatFollowsTheProgramName) {
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* arguments;
    } cases[] = {
        {L"Corvalink.exe", L""},
        {L"\"C:\\Program Files\\Corvalink.exe\"", L""},
        {L"\"C:\\Program Files\\Corvalink.exe\"   ", L""},
        {L"\"C:\\Program Files\\Corvalink.exe\" /config", L"/config"},
        {L"C:\\Corvalink.exe hello  world ", L"hello  world"},
        {L"C:\\Corvalink.exe\t-x", L"-x"},
    };
    for (const Case& c : cases) EXPECT_EQ(ArgumentsOf(c.commandLine), c.arguments) << c.commandLine;
}

}  // namespace
