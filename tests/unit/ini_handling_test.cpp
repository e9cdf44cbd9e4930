// The profile-file operations against real files.
#include <gtest/gtest.h>

#include "store/file_check.h"
#include "store/ini_handling.h"
#include "support/temp_dir.h"

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

class IniFile : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring file = dir / L"test.ini";
    std::wstring Read(const std::wstring& section, const std::wstring& key, const std::wstring& fallback = L"",
                      int size = kSettingsBufferSize) {
        return ReadIni(section, key, fallback, file, size);
    }
};

TEST_F(IniFile, ReadGivesTheDefaultOnlyForWhatIsMissing) {
    WriteBytes(file, "[s]\r\nempty=\r\npadded=   a b   \r\nMixed=x\r\n");
    EXPECT_EQ(Read(L"s", L"missing", L"1"), L"1");
    EXPECT_EQ(Read(L"nosection", L"k", L"1"), L"1");
    EXPECT_EQ(ReadIni(L"s", L"k", L"1", dir / L"nofile.ini", 256), L"1");
    EXPECT_EQ(Read(L"s", L"empty", L"1"), L"");
    EXPECT_EQ(Read(L"s", L"padded"), L"a b");
    EXPECT_EQ(Read(L"S", L"MIXED"), L"x");  // names match without regard to case
}

TEST_F(IniFile, ReadCutsValuesToTheBuffer) {
    WriteBytes(file, "[s]\r\nlong=" + std::string(300, 'v') + "\r\n");
    EXPECT_EQ(Read(L"s", L"long"), std::wstring(255, L'v'));
    EXPECT_EQ(Read(L"s", L"long", L"", 512), std::wstring(300, L'v'));
}

TEST_F(IniFile, TextCrossesInTheAnsiCodePage) {
    ASSERT_TRUE(WriteIni(file, L"s", L"k", L"Grüße"));
    EXPECT_EQ(ReadBytes(file),
              "[s]\r\nk=Gr\xFC\xDF"
              "e\r\n");
    EXPECT_EQ(Read(L"s", L"k"), L"Grüße");
}

TEST_F(IniFile, WriteCreatesFileAndSectionAndReplacesKeys) {
    ASSERT_TRUE(WriteIni(file, L"a", L"k", L"1"));
    ASSERT_TRUE(WriteIni(file, L"b", L"k", L"2"));
    ASSERT_TRUE(WriteIni(file, L"a", L"K", L"3"));
    EXPECT_EQ(Read(L"a", L"k"), L"3");
    EXPECT_EQ(Read(L"b", L"k"), L"2");
    EXPECT_EQ(ListIniKeys(file, L"a"), std::vector<std::wstring>{L"k"});
}

TEST_F(IniFile, WriteIntoAMissingFolderFails) { EXPECT_FALSE(WriteIni(dir / L"missing\\test.ini", L"s", L"k", L"v")); }

TEST_F(IniFile, DeleteRemovesOnlyTheKey) {
    WriteBytes(file, "[s]\r\na=1\r\nb=2\r\n");
    EXPECT_TRUE(DeleteIniKey(file, L"s", L"a"));
    EXPECT_EQ(Read(L"s", L"a", L"gone"), L"gone");
    EXPECT_EQ(Read(L"s", L"b"), L"2");
    const std::string before = ReadBytes(file);
    EXPECT_TRUE(DeleteIniKey(file, L"s", L"nokey"));
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(IniFile, KeyListingsHoldEveryKeyInFileOrder) {
    WriteBytes(file, "[s]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(ListIniKeys(file, L"s"), (std::vector<std::wstring>{L"x", L"y"}));
    EXPECT_TRUE(ListIniKeys(file, L"missing").empty());
    EXPECT_TRUE(ListIniKeys(dir / L"nofile.ini", L"s").empty());

    // Far more names than the 256-character buffer of a single read holds: none is lost.
    std::string many = "[s]\r\n";
    std::vector<std::wstring> expected;
    for (int i = 0; i < 400; ++i) {
        const std::string name = "client_with_a_long_name_" + std::to_string(i);
        many += name + "=C:\\Games\\DAoC\r\n";
        expected.emplace_back(name.begin(), name.end());
    }
    WriteBytes(file, many);
    EXPECT_EQ(ListIniKeys(file, L"s"), expected);
}

TEST_F(IniFile, SectionReadsGiveWhatSingleReadsGive) {
    WriteBytes(file,
               "[s]\r\nplain=v\r\n  spaced  =  a b  \r\nquoted=\" q \"\r\nsingle='x'\r\nhalf=\"h\r\n"
               "long=" +
                   std::string(300, 'l') +
                   "\r\nempty=\r\nPlain=second\r\nhigh=\x9E\x9C\x9E\r\n"
                   "[t]\r\nother=1\r\n");
    const auto entries = ReadIniSection(file, L"s", kSettingsBufferSize);
    std::vector<std::wstring> keys;
    for (const auto& [key, value] : entries) {
        keys.push_back(key);
        EXPECT_EQ(value, Read(L"s", key)) << std::string(key.begin(), key.end());
    }
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"plain", L"spaced", L"quoted", L"single", L"half", L"long", L"empty",
                                               L"high"}));
    EXPECT_TRUE(ReadIniSection(file, L"missing", kSettingsBufferSize).empty());
}

TEST(FileCheck, FindsFilesAndFoldersByTheirExactPath) {
    TempDir dir;
    WriteBytes(dir / L"file.txt", "x");
    struct Case {
        std::wstring path;
        bool exists;
    } cases[] = {
        {dir / L"file.txt", true},
        {dir.path(), true},
        {dir.path() + L"\\", false},
        {dir / L"missing.txt", false},
        {dir / L"missing\\file.txt", false},
        {L"", false},
        {dir / L"*.txt", true},
    };
    for (const Case& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << std::string(c.path.begin(), c.path.end());
}

}  // namespace
