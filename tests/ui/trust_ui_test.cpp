// The windows, the menu and the teams act only on what they read: a held or damaged settings
// file is named instead of taken for empty, a save changes only what the player changed, a
// team starts whole or not at all, and every menu item does what it says, however many.
// Every test here uses: game_windows, startup_folder
#include <gtest/gtest.h>

#include "forms/config/login_cnf_frm.h"
#include "forms/config/server_frm.h"
#include "forms/info/lizenz_frm.h"
#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/started_program.h"

using namespace uia;

namespace {

constexpr wchar_t kConfigTitle[] = L"Corvalink :: Konfiguration der QuickLogins";
constexpr wchar_t kServerTitle[] = L"Corvalink :: Server";
constexpr wchar_t kErrorTitle[] = L"Corvalink :: Fehler";

std::string Entries(const std::vector<std::wstring>& texts) {
    std::string section = "[quicklogin]\r\n";
    for (size_t i = 0; i < texts.size(); ++i) section += QuickLoginLine(static_cast<int>(i), texts[i]);
    return section;
}

std::string Utf16(const std::string& ansi) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : FromAnsiBytes(ansi)) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

// The file as an editor saves it in UTF-8 without a mark.
std::string Utf8(const std::string& ansi) { return ToUtf8(FromAnsiBytes(ansi)); }

class Trust : public StartedProgram {
protected:
    HWND tray = nullptr;

    void Start(const std::string& settings) {
        tray = StartWith(settings);
        ASSERT_TRUE(tray);
    }
    MessageBoxInfo Answer(int button = IDOK) { return AnswerMessageBox(pid(), button); }
    // The message that a held settings file gives, up to its advice.
    std::wstring HeldText() const {
        return L"Die Einstellungsdatei „" + folder.Settings() +
               L"“ kann nicht gelesen werden. Ein anderes Programm hält sie geöffnet.";
    }
    HWND DoubleClickForConfig() {
        TrayMouse(tray, WM_LBUTTONDBLCLK);
        return WaitForWindow(pid(), L"#32770", kConfigTitle, std::chrono::seconds(5));
    }
};

// More QuickLogins than any fixed range of command numbers, and several teams: the last
// QuickLogin and the last team each do their own thing, found from the keyboard through the
// menu's groups and parts.
TEST_F(Trust, TheLastOfManyQuickLoginsAndTheLastTeamAreTheirOwn) {
    constexpr int kCount = 2500;
    std::vector<std::wstring> texts;
    for (int i = 0; i < kCount; ++i) {
        wchar_t text[64];
        swprintf(text, 64, L"Char%04d,LYONESSE,Albion,acc1,Client%04d", i, i);
        texts.push_back(text);
    }
    std::string settings = "[teams]\r\nErste=1\r\nZweite=1\r\nDritte=1\r\n";
    for (const char* team : {"Erste", "Zweite", "Dritte"})
        settings += std::string("[team:") + team + "]\r\n" + QuickLoginLine(0, texts[1]);
    Start(settings + Entries(texts));

    const ShownTrayMenu shown{kCount, 3};
    ASSERT_TRUE(PickQuickLogin(pid(), kCount - 1, shown));
    EXPECT_EQ(Answer().text,
              L"Für den Client „Client2499“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie den Client in der "
              L"Konfiguration ein.");
    ASSERT_TRUE(PickTeam(pid(), 2, shown));
    EXPECT_EQ(Answer().text.rfind(L"Das Team „Dritte“ kann nicht starten, es wurde nichts gestartet.", 0), 0u);
}

// A held settings file is waited for a moment, then named: no window opens on what could not
// be read, and neither the QuickLogins nor the teams say their entry is missing.
TEST_F(Trust, AHeldFileIsNamedNeverTakenForEmpty) {
    Start("[options]\r\nprotect=1\r\n[teams]\r\nGruppe=1\r\n[team:Gruppe]\r\n" +
          QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main") + Entries({L"Aldwin,LYONESSE,Albion,acc1,Main"}));
    const std::string before = folder.Read(L"Corvalink.dat");
    {
        HeldFile held(folder.Settings());
        ASSERT_TRUE(held.held());
        TrayMouse(tray, WM_LBUTTONDBLCLK);
        MessageBoxInfo box = AnswerMessageBox(pid(), IDOK, std::chrono::seconds(15));
        EXPECT_EQ(box.title, kErrorTitle);
        EXPECT_EQ(box.text.rfind(HeldText(), 0), 0u) << Ansi(box.text);
        EXPECT_FALSE(FindWindowOf(pid(), L"#32770", kConfigTitle));

        ASSERT_TRUE(PickQuickLogin(pid(), 0));
        EXPECT_EQ(AnswerMessageBox(pid(), IDOK, std::chrono::seconds(15)).text.rfind(HeldText(), 0), 0u);
        ASSERT_TRUE(PickTeam(pid(), 0, {1, 1}));
        EXPECT_EQ(AnswerMessageBox(pid(), IDOK, std::chrono::seconds(15)).text.rfind(HeldText(), 0), 0u);
    }
    // Held for a moment only: the window waits and then shows what the file holds.
    {
        HeldFile held(folder.Settings());
        held.ReleaseAfter(800ms);
        HWND window = DoubleClickForConfig();
        ASSERT_TRUE(window);
        EXPECT_EQ(ListViewRowsOf(GetDlgItem(window, login_cnf_frm::ChrLstVw), 5).size(), 1u);
        EXPECT_EQ(SendMessageW(GetDlgItem(window, login_cnf_frm::ProtectChk), BM_GETCHECK, 0, 0), BST_CHECKED);
        PressButton(window, login_cnf_frm::SaveCmd);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    }
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), before);
}

// Hand-edited files go through "Speichern" byte for byte, and a change touches only its lines;
// a damaged file is named when the window opens, and nothing is written.
TEST_F(Trust, HandEditedFilesSurviveASaveDamagedOnesAreNamed) {
    const std::string quickLogins = Entries({L"A,LYONESSE,Albion,acc1,Main", L"B,LYONESSE,Albion,acc1,Main"});
    const std::string handEdited = "; Corvalink-Einstellungen, von Hand gepflegt\r\n[options]\r\nprotect=1\r\n" +
                                   quickLogins + "; meine Notiz\r\nnote='\"Gilde\"'\r\nlang=" + std::string(300, 'x') +
                                   "\r\n[clients]\r\nMain=C:\\Spiele\\DAoC \xDC\r\n";
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {{"ANSI", handEdited}, {"UTF-16", Utf16(handEdited)}};
    Start(handEdited);
    for (const Case& c : cases) {
        folder.Write(L"Corvalink.dat", c.bytes);
        HWND window = DoubleClickForConfig();
        ASSERT_TRUE(window) << c.name;
        PressButton(window, login_cnf_frm::SaveCmd);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << c.name;
        EXPECT_EQ(folder.Read(L"Corvalink.dat"), c.bytes) << c.name << ": a save without a change";

        // Moving the second row up rewrites the two QuickLogin lines and nothing else.
        window = DoubleClickForConfig();
        ASSERT_TRUE(window) << c.name;
        ListViewSelectIn(GetDlgItem(window, login_cnf_frm::ChrLstVw), 1);
        PressButton(window, login_cnf_frm::ChgPosCmd[0]);
        PressButton(window, login_cnf_frm::SaveCmd);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << c.name;
        std::string expected = handEdited;
        expected.replace(expected.find(quickLogins), quickLogins.size(),
                         Entries({L"B,LYONESSE,Albion,acc1,Main", L"A,LYONESSE,Albion,acc1,Main"}));
        EXPECT_EQ(folder.Read(L"Corvalink.dat"), c.bytes == handEdited ? expected : Utf16(expected)) << c.name;
    }

    const struct {
        const char* name;
        std::string bytes;
        std::wstring message;
    } damaged[] = {
        {"a header without its bracket",
         "[clients]\r\nMain=C:\\x\r\n[accounts\r\n" + AccountLine(L"acc1", L"pw") + quickLogins,
         L"“ ist beschädigt: In Zeile 3 („[accounts“) fehlt die schließende Klammer „]“ der Abschnittsüberschrift."},
        {"UTF-8 without a mark", Utf8(handEdited), L"“ ist im Format UTF-8 (ohne BOM) gespeichert"},
    };
    for (const auto& d : damaged) {
        folder.Write(L"Corvalink.dat", d.bytes);
        TrayMouse(tray, WM_LBUTTONDBLCLK);
        const std::wstring text = Answer().text;
        EXPECT_NE(text.find(L"Die Einstellungsdatei „" + folder.Settings() + d.message), std::wstring::npos)
            << d.name << ": " << Ansi(text);
        EXPECT_FALSE(FindWindowOf(pid(), L"#32770", kConfigTitle)) << d.name;
        EXPECT_EQ(folder.Read(L"Corvalink.dat"), d.bytes) << d.name;
    }
}

// The same files at start: named, and the program ends without writing.
TEST_F(Trust, ADamagedFileAtStartIsNamedAndLeftAlone) {
    // As an editor saves the whole file, scrambled values included.
    const std::string utf8 = Utf8("[clients]\r\nMain=C:\\Spiele\\\xDC\r\n" + Entries({L"A,LYONESSE,Albion,acc1,Main"}));
    folder.Write(L"Corvalink.dat", utf8);
    program.emplace(RunningProgram::Start(folder));
    const MessageBoxInfo box = Answer();
    EXPECT_NE(box.text.find(L"UTF-8 (ohne BOM)"), std::wstring::npos) << Ansi(box.text);
    EXPECT_NE(box.text.find(L"Corvalink wird beendet und ändert nichts an der Datei."), std::wstring::npos);
    EXPECT_TRUE(program->WaitForExit()) << "the program went on";
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), utf8);
}

// An entry whose text holds a NUL (a damaged value: 0xFF unscrambles to NUL at the start) is
// shown with a replacement character, and the explanation after it is not cut off.
TEST_F(Trust, AMessageWithANulIsShownWhole) {
    Start("[quicklogin]\r\n0=\xFF\x9C\r\n");
    ASSERT_TRUE(PickQuickLogin(pid(), 0));
    const std::wstring text = Answer().text;
    EXPECT_EQ(text.rfind(L"Der QuickLogin „\uFFFD", 0), 0u) << Ansi(text);
    EXPECT_NE(text.find(L"“ ist unvollständig: Es fehlen Angaben zu Server, Reich, Account oder Client."),
              std::wstring::npos)
        << Ansi(text);
}

// A team whose second member cannot log in starts nobody; the message names the member and
// why: a placeholder address, a game folder that is gone, a folder without the game.
TEST_F(Trust, ATeamStartsWholeOrNotAtAll) {
    GameInstall game;
    testing_support::TempDir empty;
    const std::wstring gone = empty / L"DAoC";
    const struct {
        const char* name;
        std::wstring secondFolder;
        std::wstring secondServer;
        std::wstring why;
    } cases[] = {
        {"a placeholder address", game.path(), L"DARTMOOR",
         L"Für den Server „DARTMOOR“ ist noch die Platzhalter-Adresse 198.51.100.12 eingetragen"},
        {"a folder that is gone", gone, L"LYONESSE",
         L"Den DAoC-Ordner „" + gone + L"“ des Clients „Second“ gibt es nicht (mehr)."},
        {"a folder without the game", empty.path(), L"LYONESSE",
         L"Im DAoC-Ordner „" + empty.path() + L"“ des Clients „Second“ liegt keine camelot.exe."},
    };
    const std::wstring first = L"Aldwin,LYONESSE,Albion,acc1,Main";
    const auto settings = [&](const std::wstring& secondFolder, const std::wstring& second) {
        return "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nMain=" + Ansi(game.path()) +
               "\r\nSecond=" + Ansi(secondFolder) +
               "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\nDARTMOOR=198.51.100.12:10622\r\n"
               "[tag]\r\nLYONESSE=4\r\nDARTMOOR=12\r\n[teams]\r\nGruppe=2\r\n[team:Gruppe]\r\n" +
               QuickLoginLine(0, first) + QuickLoginLine(1, second) + Entries({first, second});
    };
    Start(settings(game.path(), L"Bryn,LYONESSE,Albion,acc1,Second"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write(L"Corvalink.dat", settings(c.secondFolder, L"Bryn," + c.secondServer + L",Albion,acc1,Second"));
        ASSERT_TRUE(PickTeam(pid(), 0, {2, 1}));  // "Team: Gruppe"
        const MessageBoxInfo box = Answer();
        EXPECT_EQ(box.title, kErrorTitle);
        EXPECT_EQ(box.text.rfind(L"Das Team „Gruppe“ kann nicht starten, es wurde nichts gestartet. Der QuickLogin "
                                 L"„" +
                                     c.secondServer + L"/Albion: Bryn“ kann sich nicht anmelden:\r\n\r\n" + c.why,
                                 0),
                  0u)
            << Ansi(box.text);
        EXPECT_TRUE(StaysTrue([&] { return game.Count("start") == 0; }, 1s)) << "the first member started";
        EXPECT_FALSE(GetFileAttributesW(game.File(L"user.dat").c_str()) != INVALID_FILE_ATTRIBUTES);
    }
}

// "Als Team speichern" saves the window's new rows with the team: the team never names a row
// that the file does not hold, and nothing is left unsaved to ask about.
TEST_F(Trust, ATeamIsSavedWithTheRowsItNames) {
    Start("[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nMain=C:\\x\r\n" +
          "[server]\r\nLYONESSE=10.0.0.7:10622\r\n" + Entries({L"Aldwin,LYONESSE,Albion,acc1,Main"}));
    HWND window = DoubleClickForConfig();
    ASSERT_TRUE(window);
    SetTextOf(GetDlgItem(window, login_cnf_frm::LgnTxt[0]), L"Bryn");
    PressButton(window, login_cnf_frm::AddCmd);
    HWND list = GetDlgItem(window, login_cnf_frm::ChrLstVw);
    ASSERT_EQ(ListViewRowsOf(list, 5).size(), 2u);
    ASSERT_TRUE(ListViewCheckIn(list, 0, true));
    ASSERT_TRUE(ListViewCheckIn(list, 1, true));
    SetTextOf(GetDlgItem(window, login_cnf_frm::TeamTxt), L"Gruppe");
    PressButton(window, login_cnf_frm::TeamCmd);
    const std::string saved = folder.Read(L"Corvalink.dat");
    EXPECT_NE(saved.find("[teams]\r\nGruppe=2"), std::string::npos);
    EXPECT_NE(saved.find(QuickLoginLine(1, L"Bryn,LYONESSE,Albion,acc1,Main")), std::string::npos)
        << "the new row is saved";
    EXPECT_TRUE(CloseAndWait(window)) << "nothing unsaved: no question";
}

// The server window refuses what a login would refuse, where it is typed.
TEST_F(Trust, TheServerWindowChecksWhatTheLoginChecks) {
    Start("[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n" +
          Entries({L"Aldwin,LYONESSE,Albion,acc1,Main"}));
    HWND config = DoubleClickForConfig();
    ASSERT_TRUE(config);
    PressButton(config, login_cnf_frm::NewCmd[2]);
    HWND servers = WaitForWindow(pid(), L"#32770", kServerTitle);
    ASSERT_TRUE(servers);
    const std::string before = folder.Read(L"Corvalink.dat");
    const struct {
        const wchar_t* address;
        std::wstring message;
    } refused[] = {
        {L"198.51.100.4", L"„198.51.100.4“ ist eine Platzhalter-Adresse, die zu keinem Spielserver führt."},
        {L"0.0.0.0", L"„0.0.0.0“ kann keine Adresse eines Spielservers sein"},
        {L"255.255.255.255", L"„255.255.255.255“ kann keine Adresse eines Spielservers sein"},
        {L"010.001.001.001",
         L"„010.001.001.001“ ist keine Adresse: Bitte geben Sie eine IPv4-Adresse (etwa 10.0.0.5, "
         L"ohne führende Nullen)"},
    };
    for (const auto& r : refused) {
        SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[0]), L"DARTMOOR");
        SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[1]), r.address);
        SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[2]), L"10622");
        SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[3]), L"12");
        PressButton(servers, server_frm::AddCmd);
        const std::wstring text = Answer().text;
        EXPECT_EQ(text.rfind(r.message, 0), 0u) << Ansi(text);
    }
    SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[0]), L"CAMLANN");
    PressButton(servers, server_frm::DelCmd);
    EXPECT_EQ(Answer().text, L"Einen Server „CAMLANN“ gibt es in der Liste nicht; es wurde nichts entfernt.");
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), before);
    EXPECT_TRUE(CloseAndWait(servers));
    EXPECT_TRUE(CloseAndWait(config));
}

// A huge agreement file is shown up to a size, with a line that says where it was cut, and the
// tray answers at once afterwards.
TEST_F(Trust, AHugeAgreementFileIsCutAndTheTrayStaysResponsive) {
    testing_support::TempDir client;
    std::string agreement;
    while (agreement.size() < (8u << 20)) agreement += "Absatz mit Text, der sich wiederholt.\r\n";
    testing_support::WriteBytes(client / L"daoc_euala.txt", agreement);
    Start("[clients]\r\nMain=" + Ansi(client.path()) + "\r\n" + Entries({L"Aldwin,LYONESSE,Albion,acc1,Main"}));
    ASSERT_TRUE(UseTrayMenu(pid(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}));
    HWND viewer = WaitForWindow(pid(), L"#32770", L"Corvalink :: Originallizenzen von GOA für DAoC");
    ASSERT_TRUE(viewer);
    std::wstring shown;
    ASSERT_TRUE(WaitUntil([&] { return !(shown = TextOf(GetDlgItem(viewer, lizenz_frm::LizenzTxt))).empty(); }));
    EXPECT_LE(shown.size(), (1u << 20) + 200);
    EXPECT_NE(shown.find(L"[Hier gekürzt: Die Datei ist 8192 KB groß; angezeigt werden die ersten 1024 KB.]"),
              std::wstring::npos);
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(UseTrayMenu(pid(), {VK_ESCAPE}));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 5s) << "the tray menu did not open";
}

// A game user.dat in UTF-16 is changed in UTF-16, and the login goes through.
TEST_F(Trust, AUtf16UserDatLogsIn) {
    GameInstall game;
    const std::string userDat = "[main]\r\nwidth=1024\r\n[quick]\r\nentry0=old\r\n";
    testing_support::WriteBytes(game.File(L"user.dat"), Utf16(userDat));
    Start("[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nMain=" + Ansi(game.path()) +
          "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n" +
          Entries({L"Aldwin,LYONESSE,Albion,acc1,Main"}));
    ASSERT_TRUE(PickQuickLogin(pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in")) << "the login did not complete";
    EXPECT_EQ(game.Detail("password"), "secret12");
    const std::string written = testing_support::ReadBytes(game.File(L"user.dat"));
    EXPECT_EQ(written, Utf16("[main]\r\nwidth=1024\r\n[quick]\r\nentry0=Aldwin, LYONESSE, 10.0.0.7, 10622, 1, 4\r\n"
                             "setentry=1\r\n"));
}

}  // namespace
