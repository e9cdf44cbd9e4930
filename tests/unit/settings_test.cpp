// The settings file's records: QuickLogin entries, readers and what the file can hold.
#include <gtest/gtest.h>

#include "base/paths.h"
#include "store/ansi.h"
#include "store/scrambled_form.h"
#include "store/settings.h"
#include "store/simple_crypt.h"
#include "store/storable.h"
#include "support/program_folder_test.h"
#include "support/temp_dir.h"

using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

class SettingsFileTest : public testing_support::ProgramFolderTest {
protected:
    void Write(const std::string& ansi) { WriteBytes(SettingsFile(), ansi); }
    static std::string Scrambled(const std::wstring& text) { return ToAnsi(CryptText(text, L"")); }
    static std::wstring ToWide(const std::string& ansi) { return FromAnsi(ansi); }
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

// When two entries are the same QuickLogin: the same fields, compared as fields, whatever a later
// version appends; any field that differs (case included) makes another QuickLogin.
TEST(QuickLoginIdentity, IsTheFieldsNotTheText) {
    const struct {
        const wchar_t *a, *b;
        bool same;
    } cases[] = {
        {L"Aldwin,LYONESSE,Albion,acc1,Main", L"Aldwin,LYONESSE,Albion,acc1,Main", true},
        {L"Aldwin,LYONESSE,Albion,acc1,Main", L"Aldwin,LYONESSE,Albion,acc1,Main,1", true},  // a sixth field
        {L"Aldwin,LYONESSE", L"Aldwin,LYONESSE,,,", true},                                   // missing fields are empty
        {L"Aldwin,LYONESSE,Albion,acc1,Main", L"Aldwin,LYONESSE,Albion,acc1,Other", false},
        {L"Aldwin,LYONESSE,Albion,acc1,Main", L"aldwin,LYONESSE,Albion,acc1,Main", false},
        {L"Aldwin,LYONESSE,Albion,acc1,Main", L"Bea,LYONESSE,Albion,acc1,Main", false},
        {L"Aldwin,LYONESSE,Albion,acc1,Main", L"Aldwin,LYONESSE,Albion,acc1,Main ", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QuickLoginEntry::Same(c.a, c.b), c.same) << ToAnsi(c.a) << " / " << ToAnsi(c.b);
        EXPECT_EQ(QuickLoginEntry::Same(c.b, c.a), c.same) << ToAnsi(c.b) << " / " << ToAnsi(c.a);
    }
}

// A place and a hotkey stored for an entry stay with it when a later version appends a field.
TEST_F(SettingsFileTest, PlacesAndHotkeysKeepTheirQuickLoginByItsFields) {
    const std::wstring stored = L"A,S,Albion,a,c", later = L"A,S,Albion,a,c,1";
    Write("[quicklogin]\r\n0=" + Scrambled(later) + "\r\n[places]\r\n0=1,2,300,200,M," + Scrambled(stored) +
          "\r\n[hotkeys]\r\nStrg+Alt+1=quick:" + Scrambled(stored) + "\r\n");
    EXPECT_TRUE(settings->HasQuickLogin(stored));
    EXPECT_TRUE(settings->WindowPlaceOf(later));
    const QuickLoginEntry entry = QuickLoginEntry::FromText(later);
    ASSERT_TRUE(settings->SaveConfiguration({{entry}, {entry}, true, std::nullopt, {}}).ok());
    EXPECT_TRUE(settings->WindowPlaceOf(later)) << "a save kept the place";
    EXPECT_EQ(settings->Hotkeys().size(), 1u) << "a save kept the hotkey";
}

TEST_F(SettingsFileTest, QuickLoginEntriesEndAtTheFirstMissingOrEmptyKey) {
    Write("[quicklogin]\r\n0=" + Scrambled(L"A,S,Albion,a,c") + "\r\n1=" + Scrambled(L"B,S,Midgard,a,c") +
          "\r\n2=\r\n3=" + Scrambled(L"D,S,Hibernia,a,c") + "\r\n");
    EXPECT_EQ(settings->ReadQuickLoginTexts(), (std::vector<std::wstring>{L"A,S,Albion,a,c", L"B,S,Midgard,a,c"}));
    // An entry beyond the gap is no QuickLogin of the file.
    EXPECT_TRUE(settings->HasQuickLogin(L"B,S,Midgard,a,c"));
    EXPECT_FALSE(settings->HasQuickLogin(L"D,S,Hibernia,a,c"));
}

// A save writes the QuickLogins that changed and removes the ones the window read and no longer
// holds; every other line stays byte for byte: comments, hand-written keys, long and quoted
// values, entries beyond a gap.
TEST_F(SettingsFileTest, AQuickLoginSaveChangesOnlyWhatChanged) {
    const std::wstring a = L"A,S,Albion,a,c", b = L"B,S,Midgard,a,c";
    const std::string head = "[quicklogin]\r\n; meine Charaktere\r\n0=" + Scrambled(a) + "\r\n1=" + Scrambled(b) +
                             "\r\nnote='\"Gilde\"'\r\nlong=" + std::string(300, 'x') + "\r\n";
    const std::string tail = "3=" + Scrambled(L"D,S,Hibernia,a,c") + "\r\n[accounts]\r\nk=v\r\n";
    Write(head + tail);
    const std::vector<QuickLoginEntry> read{QuickLoginEntry::FromText(a), QuickLoginEntry::FromText(b)};
    ASSERT_EQ(settings->ReadQuickLoginTexts(), (std::vector<std::wstring>{a, b}));

    ASSERT_TRUE(settings->SaveConfiguration({read, read, std::nullopt, std::nullopt, {}}).ok());
    EXPECT_EQ(ReadBytes(SettingsFile()), head + tail) << "a save without a change changes nothing";

    const QuickLoginEntry c = QuickLoginEntry::FromText(L"C,S,Albion,a,c");
    ASSERT_TRUE(settings->SaveConfiguration({read, {read[0], c}, std::nullopt, std::nullopt, {}}).ok());
    std::string expected = head + tail;
    expected.replace(expected.find("1=" + Scrambled(b)), 2 + Scrambled(b).size(), "1=" + Scrambled(c.ToText()));
    EXPECT_EQ(ReadBytes(SettingsFile()), expected) << "one changed row changes one line";

    ASSERT_TRUE(settings->SaveConfiguration({{read[0], c}, {read[0]}, std::nullopt, std::nullopt, {}}).ok());
    expected.erase(expected.find("1=" + Scrambled(c.ToText())), 4 + Scrambled(c.ToText()).size());
    EXPECT_EQ(ReadBytes(SettingsFile()), expected) << "a removed row removes its line, the unread entry 3 stays";
}

// The switch and the rows go in one transaction: a save that fails writes neither.
TEST_F(SettingsFileTest, TheProtectionSwitchAndTheRowsAreSavedTogether) {
    const std::string original = "[accounts]\r\n" + Scrambled(L"acc1") + "=" + Scrambled(L"secret12") + "\r\n";
    Write(original);
    const std::vector<QuickLoginEntry> rows{QuickLoginEntry::FromText(L"A,S,Albion,acc1,c")};
    SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(settings->SaveConfiguration({{}, rows, true, std::nullopt, {}}).ok());
    SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(SettingsFile()), original);

    ASSERT_TRUE(settings->SaveConfiguration({{}, rows, true, std::nullopt, {}}).ok());
    EXPECT_TRUE(settings->PasswordsProtected());
    EXPECT_EQ(settings->AccountPassword(L"acc1").text, L"secret12");
    EXPECT_EQ(settings->ReadSetting(L"accounts", ToWide(Scrambled(L"acc1"))).rfind(L"secret12", 0), std::wstring::npos);
    EXPECT_EQ(settings->ReadQuickLoginTexts(), std::vector<std::wstring>{L"A,S,Albion,acc1,c"});
    // New passwords follow the file's switch, whoever stores them.
    ASSERT_TRUE(settings->StoreFirstSetup(QuickLoginEntry::FromText(L"B,S,Albion,acc2,c"), L"geheim99", L"C:\\x").ok());
    EXPECT_EQ(settings->ReadSetting(L"accounts", ToWide(Scrambled(L"acc2"))).find(ToWide(Scrambled(L"geheim99"))),
              std::wstring::npos);
    EXPECT_EQ(settings->AccountPassword(L"acc2").text, L"geheim99");
}

// What the read check finds before a window or a command trusts the file.
TEST_F(SettingsFileTest, TheReadCheckNamesWhatIsWrong) {
    struct Case {
        const char* name;
        std::string bytes;
        ReadProblem::Kind kind;
        size_t line = 0;
    } cases[] = {
        {"classic", "[quicklogin]\r\n0=" + Scrambled(L"Aldwin,S,Albion,a,c") + "\r\n", ReadProblem::Kind::kNone},
        {"umlauts in ANSI", "[clients]\r\nHaupt=C:\\Spiele\\\xDC\r\n", ReadProblem::Kind::kNone},
        {"UTF-8 without a mark", "[clients]\r\nHaupt=C:\\Spiele\\\xC3\x9C\r\n", ReadProblem::Kind::kUtf8NoMark},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[clients]\r\nHaupt=C:\\Spiele\\\xC3\x9C\r\n", ReadProblem::Kind::kNone},
        {"a header without its bracket", "[clients]\r\nMain=C:\\x\r\n[accounts\r\n", ReadProblem::Kind::kBrokenHeader,
         3},
    };
    for (const Case& c : cases) {
        Write(c.bytes);
        const ReadProblem problem = settings->CheckReadable(0);
        EXPECT_EQ(problem.kind, c.kind) << c.name;
        EXPECT_EQ(problem.line, c.line) << c.name;
    }
    EXPECT_EQ(settings->CheckReadable(0).lineText, L"[accounts");
    // Held by another program: waited for, then named as unreadable.
    HANDLE other = CreateFileW(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const ReadProblem held = settings->CheckReadable(300);
    CloseHandle(other);
    EXPECT_EQ(held.kind, ReadProblem::Kind::kUnreadable);
    EXPECT_EQ(held.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    DeleteFileW(SettingsFile().c_str());
    EXPECT_TRUE(settings->CheckReadable(0).ok()) << "a missing file is an empty one";
}

TEST_F(SettingsFileTest, RecordReaders) {
    Write("[accounts]\r\n" + Scrambled(L"acc1") + "=" + Scrambled(L"secret12") +
          "\r\n[clients]\r\nMain=C:\\Games\\DAoC\r\n"
          "[server]\r\nLYONESSE=198.51.100.7:10622\r\nODD=198.51.100.8:10622:x\r\nNOPORT=198.51.100.9\r\n"
          "[tag]\r\nLYONESSE=4\r\n");
    EXPECT_EQ(settings->AccountPassword(L"acc1").text, L"secret12");
    EXPECT_EQ(settings->AccountPassword(L"unknown").state, Settings::Password::State::kMissing);
    EXPECT_EQ(settings->ClientDir(L"Main"), L"C:\\Games\\DAoC");
    EXPECT_EQ(settings->ClientDir(L"Other"), L"");
    const auto server = [&](const wchar_t* name) {
        const std::optional<ServerRecord> record = settings->Server(name);
        return record ? record->address + L"|" + record->port + L"|" + record->tag : L"<none>";
    };
    EXPECT_EQ(server(L"LYONESSE"), L"198.51.100.7|10622|4");
    EXPECT_EQ(server(L"ODD"), L"198.51.100.8|10622:x|");  // only the first colon splits
    EXPECT_EQ(server(L"NOPORT"), L"<none>");
    EXPECT_EQ(server(L"MISSING"), L"<none>");
}

// A team's pacing: defaults for what the file lacks or cannot be read, the nearest allowed
// value for a number out of range; a save writes only what differs from the default.
TEST_F(SettingsFileTest, TeamPacingReadsForgivinglyAndSavesOnlyWhatWasChosen) {
    const struct {
        const char* options;
        TeamPacing pacing;
    } cases[] = {
        {"", {2, 4, 120}},
        {"start_spacing=0\r\nat_once=1\r\nmember_time_limit=30\r\n", {0, 1, 30}},
        {"start_spacing= 5 \r\nat_once=0\r\nmember_time_limit=1\r\n", {5, 1, 10}},
        {"start_spacing=9999\r\nat_once=99\r\nmember_time_limit=999999\r\n", {600, 16, 3600}},
        {"start_spacing=-1\r\nat_once=zwei\r\nmember_time_limit=1e3\r\n", {2, 4, 120}},
        {"start_spacing=12345678901\r\n", {2, 4, 120}},
    };
    for (const auto& c : cases) {
        Write(std::string("[options]\r\n") + c.options);
        EXPECT_EQ(settings->Pacing(), c.pacing) << c.options;
    }

    Write("[options]\r\nat_once=3\r\nmember_time_limit=30\r\n");
    ConfigurationChange change;
    change.pacing = TeamPacing{5, 4};
    ASSERT_TRUE(settings->SaveConfiguration(change).ok());
    EXPECT_EQ(ReadBytes(SettingsFile()), "[options]\r\nmember_time_limit=30\r\nstart_spacing=5\r\n");
    EXPECT_EQ(settings->Pacing(), (TeamPacing{5, 4, 30}));
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
        std::wstring text;
        StoredAs form;
        StoreProblem problem;
        char32_t character = 0;
    } cases[] = {
        {L"plain value", StoredAs::kValue, StoreProblem::kNone},
        {L"", StoredAs::kValue, StoreProblem::kNone},
        {std::wstring(255, L'x'), StoredAs::kValue, StoreProblem::kNone},
        {std::wstring(256, L'x'), StoredAs::kValue, StoreProblem::kTooLong},
        {L"a\r\nb", StoredAs::kValue, StoreProblem::kControlChar, L'\r'},
        {L" lead", StoredAs::kValue, StoreProblem::kOuterBlank},
        {L"\"quoted\"", StoredAs::kValue, StoreProblem::kQuoted},
        {L"'quoted'", StoredAs::kValue, StoreProblem::kQuoted},
        {L"\"half", StoredAs::kValue, StoreProblem::kNone},
        {L"Grüße", StoredAs::kValue, StoreProblem::kNone},
        {L"Łukasz", StoredAs::kScrambledKey, StoreProblem::kNotInCodePage, L'Ł'},
        {L"hasło12€", StoredAs::kScrambledValue, StoreProblem::kNotInCodePage, L'ł'},
        {L"Gilde \U0001F600", StoredAs::kValue, StoreProblem::kNotInCodePage, U'\U0001F600'},  // named whole
        {L"a\u0081b", StoredAs::kScrambledValue, StoreProblem::kControlChar, L'\u0081'},
        {L"", StoredAs::kKey, StoreProblem::kEmpty},
        {L"a=b", StoredAs::kKey, StoreProblem::kKeySyntax},
        {L"[a", StoredAs::kKey, StoreProblem::kKeySyntax},
        // Scrambled texts whose classic form would not read back are kept in the other form.
        {L"Tagesmenü", StoredAs::kScrambledValue, StoreProblem::kNone},
        {L"Kjellö", StoredAs::kScrambledKey, StoreProblem::kNone},
        {std::wstring(127, L'ü'), StoredAs::kScrambledValue, StoreProblem::kNone},
        {std::wstring(128, L'ü'), StoredAs::kScrambledValue, StoreProblem::kTooLong},
    };
    for (const Case& c : cases) {
        const StoreVerdict verdict = CheckStorable(c.text, c.form);
        EXPECT_EQ(verdict.problem, c.problem) << ToAnsi(c.text);
        EXPECT_EQ(verdict.character, c.character) << ToAnsi(c.text);
    }
}

// Every byte value at the start, in the middle and at the end of a value and of a key name,
// written and read back through the profile functions: the rule says exactly which survive.
TEST_F(SettingsFileTest, TheByteRuleAgreesWithTheProfileFunctions) {
    std::vector<std::string> samples;
    for (int b = 1; b < 256; ++b) {
        const char c = static_cast<char>(b);
        // Built by appending: GCC 12 warns falsely (-Wrestrict) about "literal" + std::string.
        for (size_t at : {0, 1, 2}) {
            std::string sample = "ab";
            sample.insert(at, 1, c);
            samples.push_back(sample);
        }
    }
    for (const char* s : {"\"ab\"", "'ab'", "\"ab'", "=ab", "[ab", ";ab"}) samples.emplace_back(s);
    for (bool asKey : {false, true}) {
        // Written as the file is, without the transaction's own check.
        std::string bytes = asKey ? "" : "[v]\r\n";
        for (size_t i = 0; i < samples.size(); ++i) {
            if (asKey)
                bytes.append("[k").append(std::to_string(i)).append("]\r\n").append(samples[i]).append("=v\r\n");
            else
                bytes.append("k").append(std::to_string(i)).append("=").append(samples[i]).append("\r\n");
        }
        WriteBytes(SettingsFile(), bytes);
        for (size_t i = 0; i < samples.size(); ++i) {
            bool readsBack;
            if (asKey) {
                const auto keys = settings->ListSettingKeys(L"k" + std::to_wstring(i));
                readsBack = keys.size() == 1 && ToAnsi(keys[0]) == samples[i] &&
                            settings->ReadSetting(L"k" + std::to_wstring(i), keys[0]) == L"v";
            } else {
                readsBack = ToAnsi(settings->ReadSetting(L"v", L"k" + std::to_wstring(i))) == samples[i];
            }
            // A key name starting with "[" reads back under Wine as long as no "]" follows; the rule
            // refuses it all the same, as Windows may take the line for a section.
            if (asKey && samples[i][0] == '[') readsBack = false;
            EXPECT_EQ(CheckStoredBytes(samples[i], asKey) == StoreProblem::kNone, readsBack)
                << (asKey ? "key " : "value ") << testing::PrintToString(samples[i]);
        }
    }
}

// Logins and passwords reach the file and come back exactly: the classic scrambled form
// where it reads back (byte for byte as before), the other form only where it does not.
TEST_F(SettingsFileTest, ScrambledTextsComeBackExactly) {
    struct Case {
        const wchar_t* login;
        const wchar_t* password;
    } cases[] = {
        {L"acc1", L"secret12"},
        {L"Kjellö", L"Tagesmenü"},
        {L"Åsa", L"Corazónó"},
        {L"ÿÿÿÿÿÿÿÿÿÿ", L"äöüÄÖÜß"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(settings->StoreAccount(c.login, c.password).ok()) << ToAnsi(c.login);
        EXPECT_EQ(settings->AccountPassword(c.login).text, c.password) << ToAnsi(c.login);
    }
    const auto names = settings->AccountNames();
    EXPECT_EQ(names.size(), std::size(cases));
    // The classic form stays where it reads back.
    EXPECT_EQ(EncodeScrambled(L"secret12"), CryptText(L"secret12", L""));
    EXPECT_EQ(EncodeScrambled(L"Tagesmenü").front(), L'~');
    EXPECT_EQ(DecodeScrambled(CryptText(L"secret12", L"")), L"secret12");

    // Every letter of the code page at every position of a short text: stored, read back.
    std::vector<QuickLoginEntry> entries;
    for (wchar_t c = 0xC0; c <= 0xFF; ++c)
        for (int position = 0; position < 12; ++position)
            entries.push_back(QuickLoginEntry::FromText(std::wstring(position, L'x') + c + L",S,Albion,a,c"));
    for (const QuickLoginEntry& e : entries) ASSERT_TRUE(CheckStorable(e.ToText(), StoredAs::kScrambledValue).ok());
    ASSERT_TRUE(settings->SaveConfiguration({{}, entries, std::nullopt, std::nullopt, {}}).ok());
    const std::vector<std::wstring> texts = settings->ReadQuickLoginTexts();
    ASSERT_EQ(texts.size(), entries.size());
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], entries[i].ToText());
}

}  // namespace

namespace {

TEST(HotkeyKeys, TextAndKeysBothWays) {
    struct Case {
        unsigned modifiers, key;
        const wchar_t* text;
    } cases[] = {
        {MOD_CONTROL | MOD_ALT, '1', L"Strg+Alt+1"},
        {MOD_SHIFT, VK_F5, L"Umschalt+F5"},
        {MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN, 'Z', L"Strg+Alt+Umschalt+Win+Z"},
        {MOD_CONTROL, VK_NUMPAD6, L"Strg+#102"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hotkey::KeysText(c.modifiers, c.key), c.text);
        unsigned modifiers = 0, key = 0;
        ASSERT_TRUE(Hotkey::ParseKeys(c.text, modifiers, key)) << ToAnsi(c.text);
        EXPECT_EQ(modifiers, c.modifiers);
        EXPECT_EQ(key, c.key);
    }
    unsigned modifiers = 0, key = 0;
    EXPECT_TRUE(Hotkey::ParseKeys(L"strg+alt+a", modifiers, key)) << "written by hand in other case";
    for (const wchar_t* broken : {L"", L"Strg+", L"Ctrl+1", L"Strg+Alt+F25", L"Strg+#999", L"Strg+Eins"})
        EXPECT_FALSE(Hotkey::ParseKeys(broken, modifiers, key)) << ToAnsi(broken);
}

// Places and hotkeys belong to their QuickLogin's whole entry: they follow it when it is
// changed in place and go when it goes; a hand-broken place line is left out, and kept.
TEST_F(SettingsFileTest, PlacesAndHotkeysFollowTheirQuickLogins) {
    const std::wstring a = L"A,S,Albion,a,c", b = L"B,S,Midgard,a,c";
    Write("[quicklogin]\r\n0=" + Scrambled(a) + "\r\n1=" + Scrambled(b) + "\r\n[places]\r\n9=x,1,2,3,M," +
          Scrambled(a) + "\r\n[hotkeys]\r\nStrg+Alt+9=team:Gruppe\r\n");
    ASSERT_TRUE(
        settings->StoreWindowPlaces({{a, {10, 20, 300, 200, L"\\\\.\\DISPLAY1"}}, {b, {0, 0, 640, 480, L"M2"}}}).ok());
    EXPECT_EQ(settings->WindowPlaceOf(a), (WindowPlace{10, 20, 300, 200, L"\\\\.\\DISPLAY1"}));
    ASSERT_TRUE(settings->StoreWindowPlaces({{a, {11, 21, 301, 201, L"M"}}}).ok());
    EXPECT_EQ(settings->WindowPlaces().size(), 2u) << "a place replaces the one of its QuickLogin";

    const QuickLoginEntry entryA = QuickLoginEntry::FromText(a), entryB = QuickLoginEntry::FromText(b);
    const QuickLoginEntry changed = QuickLoginEntry::FromText(L"A2,S,Albion,a,c");
    ConfigurationChange change{{entryA, entryB}, {changed, entryB}, std::nullopt, std::nullopt, {{entryA, changed}}};
    change.hotkeys = std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, a},
                                         {L"Strg+Alt+2", Hotkey::Kind::kQuickLogin, b},
                                         {L"Strg+Alt+9", Hotkey::Kind::kTeam, L"Gruppe"}};
    ASSERT_TRUE(settings->SaveConfiguration(change).ok());
    EXPECT_EQ(settings->WindowPlaceOf(changed.ToText()), (WindowPlace{11, 21, 301, 201, L"M"}));
    EXPECT_EQ(settings->Hotkeys(), (std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, changed.ToText()},
                                                        {L"Strg+Alt+2", Hotkey::Kind::kQuickLogin, b},
                                                        {L"Strg+Alt+9", Hotkey::Kind::kTeam, L"Gruppe"}}));

    // B removed: its place and hotkey go with it; the team's hotkey stays.
    ASSERT_TRUE(settings->SaveConfiguration({{changed, entryB}, {changed}, std::nullopt, std::nullopt, {}}).ok());
    EXPECT_FALSE(settings->WindowPlaceOf(b));
    EXPECT_EQ(settings->Hotkeys().size(), 2u);
    EXPECT_NE(ReadBytes(SettingsFile()).find("=x,1,2,3,M," + Scrambled(a)), std::string::npos)
        << "a line that is no place stays";
    ASSERT_TRUE(settings->ForgetWindowPlaces().ok());
    EXPECT_TRUE(settings->WindowPlaces().empty());
    EXPECT_EQ(ReadBytes(SettingsFile()).find("[places]"), std::string::npos);
}

// A QuickLogin as long as the file can store keeps its place and hotkey, whose lines are longer
// than any other setting, through saves and a new start; lines that are no hotkey stay.
TEST_F(SettingsFileTest, ALongQuickLoginKeepsItsPlaceAndHotkey) {
    // 250 characters whose scrambled bytes hold no line break or NUL: each letter of the name is
    // chosen so that its scrambled byte (letter ^ 255 ^ position) is none of them.
    std::wstring longEntry;
    for (unsigned i = 0; i < 237; ++i) {
        wchar_t letter = L'a';
        while (((letter ^ 255u ^ i) & 255u) == 0 || ((letter ^ 255u ^ i) & 255u) == 10 ||
               ((letter ^ 255u ^ i) & 255u) == 13)
            ++letter;
        longEntry += letter;
    }
    longEntry += L",S,Albion,a,c";
    ASSERT_TRUE(CheckStorable(longEntry, StoredAs::kScrambledValue).ok());
    ASSERT_EQ(longEntry.size(), 250u);
    const QuickLoginEntry entry = QuickLoginEntry::FromText(longEntry);
    Write("[quicklogin]\r\n0=" + Scrambled(longEntry) +
          "\r\n[hotkeys]\r\nStrg+Alt+7=quick:\r\nStrg+Alt+8=spaeter:x\r\n");
    const WindowPlace place{10, 20, 300, 200, L"\\\\.\\DISPLAY1"};
    ASSERT_TRUE(settings->StoreWindowPlaces({{longEntry, place}}).ok());
    ConfigurationChange change{{entry}, {entry}, std::nullopt, std::nullopt, {}};
    change.hotkeys = std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, longEntry}};
    ASSERT_TRUE(settings->SaveConfiguration(change).ok());
    ASSERT_TRUE(settings->SaveConfiguration({{entry}, {entry}, true, std::nullopt, {}}).ok());

    const Settings restarted(SettingsFile());
    EXPECT_EQ(restarted.WindowPlaceOf(longEntry), place);
    const StoredHotkeys stored = restarted.ReadHotkeys();
    EXPECT_EQ(stored.hotkeys, (std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, longEntry}}));
    EXPECT_EQ(stored.unread.size(), 2u) << "\"quick:\" without a QuickLogin and an unknown target stay";
}

}  // namespace
