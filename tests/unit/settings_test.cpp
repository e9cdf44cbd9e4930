// The settings file's records: QuickLogin entries, readers and what the file can hold.
#include <gtest/gtest.h>

#include "app/paths.h"
#include "store/ansi.h"
#include "store/settings.h"
#include "store/simple_crypt.h"
#include "support/temp_dir.h"

using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override { InitPaths(dir / L"Corvalink.exe"); }
    void Write(const std::string& ansi) { WriteBytes(SettingsFile(), ansi); }
    static std::string Scrambled(const std::wstring& text) { return ToAnsi(CryptText(text, L"")); }
};

TEST(Paths, FollowTheExecutablesName) {
    InitPaths(L"C:\\Games\\Tools\\Corva2.exe");
    EXPECT_EQ(ProgramDir(), L"C:\\Games\\Tools");
    EXPECT_EQ(SettingsFile(), L"C:\\Games\\Tools\\Corva2.dat");
    EXPECT_EQ(LangFile(), L"C:\\Games\\Tools\\Corva2.lng");
}

TEST(QuickLoginFormat, SplitsIntoFiveFieldsTheLastKeepingCommas) {
    struct Case {
        std::wstring text;
        QuickLoginEntry entry;
    } cases[] = {
        {L"Aldwin,LYONESSE,Albion,acc1,Main", {L"Aldwin", L"LYONESSE", L"Albion", L"acc1", L"Main"}},
        {L"Aldwin,Lyonesse,Albion,acc1,Client A,x", {L"Aldwin", L"Lyonesse", L"Albion", L"acc1", L"Client A,x"}},
        {L" a , b ,c,d,e", {L" a ", L" b ", L"c", L"d", L"e"}},
        {L"Aldwin,LYONESSE", {L"Aldwin", L"LYONESSE", L"", L"", L""}},  // too few fields: the rest empty
        {L"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(QuickLoginEntry::FromText(c.text), c.entry);
    EXPECT_EQ(cases[0].entry.ToText(), cases[0].text);
    EXPECT_EQ(cases[1].entry.ToText(), cases[1].text);
    EXPECT_EQ(SplitFields(L"a,b,c,d,e,f,g", 6), (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"e", L"f,g"}));
}

TEST_F(SettingsFileTest, QuickLoginEntriesEndAtTheFirstMissingOrEmptyKey) {
    Write("[quicklogin]\r\n0=" + Scrambled(L"A,S,Albion,a,c") + "\r\n1=" + Scrambled(L"B,S,Midgard,a,c") +
          "\r\n2=\r\n3=" + Scrambled(L"D,S,Hibernia,a,c") + "\r\n");
    EXPECT_EQ(ReadQuickLoginTexts(), (std::vector<std::wstring>{L"A,S,Albion,a,c", L"B,S,Midgard,a,c"}));
    EXPECT_EQ(ReadQuickLoginText(3), L"D,S,Hibernia,a,c");
    EXPECT_EQ(ReadQuickLoginText(7), L"");

    ASSERT_TRUE(WriteQuickLoginText(2, L"C,S,Albion,a,c"));
    EXPECT_EQ(ReadQuickLoginTexts().size(), 4u);
}

TEST_F(SettingsFileTest, RecordReaders) {
    Write("[accounts]\r\n" + Scrambled(L"acc1") + "=" + Scrambled(L"secret12") +
          "\r\n[clients]\r\nMain=C:\\Games\\DAoC\r\n"
          "[server]\r\nLYONESSE=198.51.100.7:10622\r\nODD=198.51.100.8:10622:x\r\nNOPORT=198.51.100.9\r\n"
          "[tag]\r\nLYONESSE=4\r\n");
    EXPECT_EQ(AccountPassword(L"acc1"), L"secret12");
    EXPECT_EQ(AccountPassword(L"unknown"), L"");
    EXPECT_EQ(ClientDir(L"Main"), L"C:\\Games\\DAoC");
    EXPECT_EQ(ClientDir(L"Other"), L"");
    EXPECT_EQ(ServerAddress(L"LYONESSE"), L"198.51.100.7, 10622");
    EXPECT_EQ(ServerAddress(L"ODD"), L"198.51.100.8, 10622:x");  // only the first colon splits
    EXPECT_EQ(ServerAddress(L"NOPORT"), std::nullopt);
    EXPECT_EQ(ServerAddress(L"MISSING"), std::nullopt);
    EXPECT_EQ(ServerTag(L"LYONESSE"), L"4");
    EXPECT_EQ(ServerTag(L"MISSING"), L"");
}

TEST(RealmNumber, MatchesExactUpperCaseNames) {
    EXPECT_EQ(RealmNumber(L"ALBION"), 1);
    EXPECT_EQ(RealmNumber(L"MIDGARD"), 2);
    EXPECT_EQ(RealmNumber(L"HIBERNIA"), 3);
    EXPECT_EQ(RealmNumber(L"Albion"), 0);
    EXPECT_EQ(RealmNumber(L"HIBERNIA "), 0);
    EXPECT_EQ(RealmNumber(L""), 0);
}

TEST_F(SettingsFileTest, WhatTheFileCannotHoldIsNamed) {
    struct Case {
        std::wstring value;
        StoreProblem problem;
    } cases[] = {
        {L"plain value", StoreProblem::kNone},
        {L"", StoreProblem::kNone},
        {std::wstring(255, L'x'), StoreProblem::kNone},
        {std::wstring(256, L'x'), StoreProblem::kTooLong},
        {L"a\r\nb", StoreProblem::kLineBreakOrNul},
        {std::wstring(L"a\0b", 3), StoreProblem::kLineBreakOrNul},
        {L" lead", StoreProblem::kOuterBlank},
        {L"trail\t", StoreProblem::kOuterBlank},
        {L"\"quoted\"", StoreProblem::kQuoted},
        {L"'quoted'", StoreProblem::kQuoted},
        {L"\"half", StoreProblem::kNone},
        {L"Grüße", StoreProblem::kNone},
        {L"\u0416", StoreProblem::kNotInCodePage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckStorable(c.value), c.problem) << ToAnsi(c.value);
        // The rule and the file agree: what the rule accepts reads back exactly.
        if (c.problem == StoreProblem::kNone) {
            ASSERT_TRUE(WriteSetting(L"s", L"k", c.value));
            EXPECT_EQ(ReadSetting(L"s", L"k", L"<none>"), c.value.empty() ? L"" : c.value);
        }
    }
    // ... and what it refuses would not have.
    for (const wchar_t* refused : {L" lead", L"\"quoted\"", L"'quoted'"}) {
        ASSERT_TRUE(WriteSetting(L"s", L"k", refused));
        EXPECT_NE(ReadSetting(L"s", L"k"), refused);
    }
}

}  // namespace
