// Whole logins through the tray menu against the game double.
// Every test here uses: game_windows
#include <gtest/gtest.h>

#include "forms/config/login_cnf_frm.h"
#include "forms/info/helper_frm.h"
#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/started_program.h"
#include "tray/tray_menu.h"

using namespace uia;

namespace {

constexpr wchar_t kHelpTitle[] = L"Corvalink :: Hilfe";
constexpr int kTitleLabel = helper_frm::Descr[0];  // the help window's title label
// Down-arrow presses in the menu with one entry; "Anmeldung abbrechen" follows the entry.

class Login : public StartedProgram {
protected:
    // Settings with the accounts acc1 and nobody (without password), the client "Client A" in `game` and the LYONESSE
    // server.
    static std::string Settings(const GameInstall& game, const std::wstring& entry, const std::string& more = "") {
        return "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + AccountLine(L"nobody", L"") +
               "[clients]\r\nClient A=" + Ansi(game.path()) +
               "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\nNOPORT=10.0.0.8\r\n[tag]\r\nLYONESSE=4\r\n"
               "[quicklogin]\r\n" +
               QuickLoginLine(0, entry) + more;
    }

    void Start(const std::string& settings) { ASSERT_TRUE(StartWith(settings)); }
    void ChooseFirstQuickLogin() { ASSERT_TRUE(PickQuickLogin(pid(), 0)); }

    // The next message box: its text, answered with `button`.
    std::wstring Answer(int button, const wchar_t* expectedTitle = L"Corvalink :: Fehler") {
        const MessageBoxInfo info = AnswerMessageBox(pid(), button, std::chrono::seconds(20));
        EXPECT_EQ(info.title, expectedTitle);
        return info.text;
    }
    std::wstring HelpPageTitle() {
        HWND help = WaitForWindow(pid(), L"#32770", kHelpTitle, std::chrono::seconds(5));
        return help ? TextOf(GetDlgItem(help, kTitleLabel)) : L"<no help window>";
    }
};

TEST_F(Login, LogsTheCharacterInEndToEnd) {
    GameInstall game;
    testing_support::WriteBytes(game.File(L"user.dat"),
                                "[main]\r\nwidth=1024\r\n[quick]\r\nentry0=old\r\nother=kept\r\n");
    Start(Settings(game, L"Aldwin,Lyonesse,Albion,acc1,Client A"));
    ChooseFirstQuickLogin();

    ASSERT_TRUE(game.WaitFor("logged-in")) << "the login did not complete";
    EXPECT_EQ(game.Detail("user.dat"),
              "[main]\\r\\nwidth=1024\\r\\n[quick]\\r\\nentry0=Aldwin, LYONESSE, 10.0.0.7, 10622, 1, 4\\r\\n"
              "other=kept\\r\\nsetentry=1\\r\\n");
    EXPECT_EQ(game.Detail("password"), "secret12");
    EXPECT_EQ(game.Detail("account"), "acc1");
    EXPECT_EQ(game.Count("play-click"), 1);
    EXPECT_EQ(game.Count("terms-click"), 1);
    EXPECT_TRUE(WaitUntil([&] { return HelpPageTitle() == L"Hats geklappt?"; }));
}

TEST_F(Login, EnglishLauncherLateGameWindowAndEmptyPassword) {
    GameInstall game("launcher=english\r\ngame_delay_ms=1600\r\n");
    Start(Settings(game, L"aldwin,Lyonesse,hibernia,nobody,Client A"));
    ChooseFirstQuickLogin();

    ASSERT_TRUE(game.WaitFor("logged-in"));
    EXPECT_NE(game.Detail("user.dat").find("entry0=aldwin, LYONESSE, 10.0.0.7, 10622, 3, 4"), std::string::npos);
    EXPECT_EQ(game.Detail("password"), "");
    EXPECT_EQ(game.Detail("account"), "nobody");
    // The game window came late: Play was pressed again about every 0.6 s meanwhile.
    EXPECT_GE(game.Count("play-click"), 2);
    EXPECT_LE(game.Count("play-click"), 5);
    EXPECT_EQ(game.Count("terms-click"), 1);
}

// A folder without the launcher is found before anything is written or started; a launcher
// that does not start leaves the program's priority as it was before the start.
TEST_F(Login, MissingLauncherIsNamedABrokenOneRestoresNormalPriority) {
    GameInstall game("", false);
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A"));
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDOK), L"Im DAoC-Ordner „" + game.path() +
                                L"“ des Clients „Client A“ liegt keine camelot.exe. Ist DAoC dort noch installiert? "
                                L"Bitte tragen Sie den Client in der Konfiguration mit dem Ordner Ihrer "
                                L"DAoC-Installation ein.");
    EXPECT_EQ(GetFileAttributesW(game.File(L"user.dat").c_str()), INVALID_FILE_ATTRIBUTES);

    testing_support::WriteBytes(game.File(L"camelot.exe"), "kein Programm");
    program->SetPriority(BELOW_NORMAL_PRIORITY_CLASS);
    ASSERT_EQ(program->PriorityClass(), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDOK).rfind(L"daoc start failed:", 0), 0u);
    EXPECT_EQ(program->PriorityClass(), static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
}

// The login goes on while a window of the program is open: the about window, or a message
// box, for the whole run.
TEST_F(Login, GoesOnWhileAWindowOfTheProgramStaysOpen) {
    for (const bool messageBox : {false, true}) {
        SCOPED_TRACE(messageBox ? "message box" : "about window");
        GameInstall game("window_delay_ms=2000\r\nlinger_ms=100\r\n");
        Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A", "[help]\r\n1=0\r\n"));
        ChooseFirstQuickLogin();
        ASSERT_TRUE(game.WaitFor("start"));  // the menu is closed and the run under way
        HWND open = nullptr;
        if (messageBox) {
            // "x" without a selected QuickLogin in the configuration window asks for one.
            HWND config = OpenConfigWindow(pid());
            ASSERT_TRUE(config);
            PostMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::DelCmd, BN_CLICKED), 0);
            open = WaitForMessageBox(pid());
        } else {
            ASSERT_TRUE(PickTrayCommand(pid(), {}, tray_menu::popupmenue_about));
            open = WaitForWindow(pid(), L"#32770", uia::AboutTitle().c_str());
        }
        ASSERT_TRUE(open);
        EXPECT_EQ(game.Count("shown"), 0);  // opened before the game's first window
        EXPECT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(30)));
        EXPECT_TRUE(IsWindowVisible(open));  // open the whole time
        EXPECT_EQ(game.Detail("password"), "secret12");
        PostMessageW(open, WM_COMMAND, IDOK, 0);
        PostMessageW(open, WM_CLOSE, 0, 0);
        program.reset();
    }
}

// Passwords protected by Windows: switched on and off in the configuration window, the stored
// forms follow, and a login works in both states.
TEST_F(Login, PasswordsProtectedByWindowsAndBackLogIn) {
    GameInstall game("linger_ms=100\r\n");
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A", "[help]\r\n1=0\r\n"));
    const std::string classic = AccountLine(L"acc1", L"secret12");
    auto saveWithProtection = [&](bool on) {
        HWND config = OpenConfigWindow(pid());
        ASSERT_TRUE(config);
        EXPECT_EQ(SendMessageW(GetDlgItem(config, login_cnf_frm::ProtectChk), BM_GETCHECK, 0, 0),
                  on ? BST_UNCHECKED : BST_CHECKED);
        SendMessageW(GetDlgItem(config, login_cnf_frm::ProtectChk), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        PressButton(config, login_cnf_frm::SaveCmd);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));
    };
    auto logIn = [&](int count) {
        ChooseFirstQuickLogin();
        ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(20), count));
        ASSERT_TRUE(game.WaitFor("end", std::chrono::seconds(10), count));
    };
    auto storedPassword = [&] {
        const std::string file = folder.Read(L"Corvalink.dat");
        const std::string key = classic.substr(0, classic.find('=') + 1);
        const size_t at = file.find("\r\n" + key);
        return at == std::string::npos
                   ? std::string("<missing>")
                   : file.substr(at + 2 + key.size(), file.find("\r\n", at + 2) - at - 2 - key.size());
    };

    ASSERT_NO_FATAL_FAILURE(saveWithProtection(true));
    EXPECT_EQ(storedPassword().rfind("~W", 0), 0u) << storedPassword();
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("[options]\r\nprotect=1"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(logIn(1));
    EXPECT_EQ(game.Log().back().name, "end");
    std::string password;
    for (const auto& e : game.Log())
        if (e.name == "password") password = e.detail;
    EXPECT_EQ(password, "secret12");

    ASSERT_NO_FATAL_FAILURE(saveWithProtection(false));
    EXPECT_EQ(storedPassword() + "\r\n", classic.substr(classic.find('=') + 1));  // the classic form again
    EXPECT_EQ(folder.Read(L"Corvalink.dat").find("protect=1"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(logIn(2));
}

// A protected password that does not read back here (another user, another computer, a
// damaged value) stops the QuickLogin with a message naming the account.
TEST_F(Login, AProtectedPasswordThatCannotBeReadIsRefused) {
    for (const char* damaged : {"~WAQAAANCMnd8BFdERjHoAwE", "~W", "~WAAAA"}) {
        SCOPED_TRACE(damaged);
        GameInstall game;
        Start("[accounts]\r\n" + Ansi(CryptText(L"acc1", L"")) + "=" + damaged + "\r\n[options]\r\nprotect=1\r\n" +
              Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A").substr(std::string("[accounts]\r\n").size()));
        ChooseFirstQuickLogin();
        const std::wstring text = Answer(IDOK);
        EXPECT_EQ(text.rfind(
                      L"Das Passwort des Accounts „acc1“ ist mit Windows geschützt und lässt sich hier nicht lesen", 0),
                  0u)
            << Ansi(text);
        EXPECT_TRUE(StaysTrue([&] { return game.Count("start") == 0; }, std::chrono::milliseconds(300)));
        program.reset();
    }
}

// A team of three QuickLogins, saved from the configuration window, logs in three times; with
// one login at a time, each after the previous one finished. A cancel stops the team.
TEST_F(Login, ATeamLogsInItsMembersOneAfterAnother) {
    GameInstall games[3] = {GameInstall("window_delay_ms=200\r\nlinger_ms=0\r\n"),
                            GameInstall("window_delay_ms=200\r\nlinger_ms=0\r\n"),
                            GameInstall("window_delay_ms=200\r\nlinger_ms=0\r\n")};
    std::string settings = "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\n";
    for (int i = 0; i < 3; ++i) settings += "Client" + std::to_string(i) + "=" + Ansi(games[i].path()) + "\r\n";
    settings +=
        "[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n"
        "[options]\r\nat_once=1\r\n[quicklogin]\r\n";
    const wchar_t* characters[] = {L"Aldwin", L"Bryn", L"Cai"};
    for (int i = 0; i < 3; ++i)
        settings +=
            QuickLoginLine(i, std::wstring(characters[i]) + L",LYONESSE,Albion,acc1,Client" + std::to_wstring(i));
    Start(settings);

    // The team is saved from the configuration window: the ticked rows, under a name.
    HWND config = OpenConfigWindow(pid());
    ASSERT_TRUE(config);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(ListViewCheckIn(GetDlgItem(config, login_cnf_frm::ChrLstVw), i, true));
    SetTextOf(GetDlgItem(config, login_cnf_frm::TeamTxt), L"Gruppe");
    PressButton(config, login_cnf_frm::TeamCmd);
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("[teams]\r\nGruppe=3"), std::string::npos);
    CloseAndWait(config);

    // "Team: Gruppe" follows the three QuickLogins in the menu.
    ASSERT_TRUE(PickTeam(pid(), 0, {3, 1}));
    for (GameInstall& game : games) ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(30)));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(games[i].Count("start"), 1);
        EXPECT_NE(games[i].Detail("user.dat").find(Ansi(std::wstring(L"entry0=") + characters[i])), std::string::npos);
    }
    auto at = [](const GameInstall& game, const std::string& event) {
        for (const auto& e : game.Log())
            if (e.name == event) return e.microseconds;
        return 0LL;
    };
    // Each member starts after the previous one finished its login.
    EXPECT_LT(at(games[0], "terms-click"), at(games[1], "start"));
    EXPECT_LT(at(games[1], "terms-click"), at(games[2], "start"));

    // The doubles stay (linger_ms=0): each member's run left the earlier games' windows, which
    // carry the same titles, alone.

    // A cancel while the first member waits stops the whole team.
    GameInstall slow[3] = {GameInstall("window_delay_ms=60000\r\n"), GameInstall(), GameInstall()};
    std::string slowSettings = settings;
    for (int i = 0; i < 3; ++i) {
        const std::string from = Ansi(games[i].path()), to = Ansi(slow[i].path());
        slowSettings.replace(slowSettings.find(from), from.size(), to);
    }
    program.reset();
    Start(slowSettings + "[teams]\r\nGruppe=3\r\n" +
          folder.Read(L"Corvalink.dat").substr(folder.Read(L"Corvalink.dat").find("[team:Gruppe]")));
    ASSERT_TRUE(PickTeam(pid(), 0, {3, 1}));
    ASSERT_TRUE(slow[0].WaitFor("start"));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink :: Team Gruppe: 0 von 3 eingeloggt, 1 laufen, 0 fehlgeschlagen"));
    ASSERT_TRUE(PickTrayCommand(pid(), {3, 1, true},
                                tray_menu::popupmenue_cancel_run));  // "Anmeldung abbrechen" below the team
    EXPECT_EQ(Answer(IDOK, L"Corvalink").rfind(L"Team Gruppe abgebrochen: 0 von 3 waren eingeloggt.", 0), 0u);
    // The run is over (the items work again) and no further member started.
    ASSERT_TRUE(PickQuickLogin(pid(), 0));
    EXPECT_TRUE(slow[0].WaitFor("start", std::chrono::seconds(10), 2));
    EXPECT_EQ(slow[1].Count("start") + slow[2].Count("start"), 0);
}

// A member whose game does not start is reported at the end, and the rest of the team goes on.
TEST_F(Login, AFailedMemberNeverStopsTheRest) {
    GameInstall broken("", false), second("linger_ms=0\r\n");
    testing_support::WriteBytes(broken.File(L"camelot.exe"), "kein Programm");
    const std::wstring a = L"Aldwin,LYONESSE,Albion,acc1,C0", b = L"Bryn,LYONESSE,Albion,acc1,C1";
    Start("[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nC0=" + Ansi(broken.path()) +
          "\r\nC1=" + Ansi(second.path()) +
          "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n[quicklogin]\r\n" +
          QuickLoginLine(0, a) + QuickLoginLine(1, b) + "[teams]\r\nDuo=2\r\n[team:Duo]\r\n" + QuickLoginLine(0, a) +
          QuickLoginLine(1, b));
    ASSERT_TRUE(PickTeam(pid(), 0, {2, 1}));
    EXPECT_TRUE(second.WaitFor("logged-in", std::chrono::seconds(30))) << "the second member did not follow";
    const std::wstring summary = Answer(IDNO, L"Corvalink");
    EXPECT_NE(summary.find(L"LYONESSE/Albion: Aldwin: daoc start failed:"), std::wstring::npos) << summary;
}

// While the launcher starts, the program idles and its tip names the window it awaits; the
// tip is the product's name again after the login.
TEST_F(Login, TheProgramIdlesWhileTheLauncherStartsAndItsTipNamesTheAwaitedWindow) {
    GameInstall game("window_delay_ms=1500\r\n");
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A"));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink"));
    ChooseFirstQuickLogin();
    EXPECT_TRUE(WaitUntil([&] { return program->PriorityClass() == IDLE_PRIORITY_CLASS; }, std::chrono::seconds(3)));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink :: wartet auf den DAoC-Launcher", std::chrono::seconds(1)));
    ASSERT_TRUE(game.WaitFor("shown"));
    EXPECT_TRUE(WaitUntil([&] { return program->PriorityClass() == NORMAL_PRIORITY_CLASS; }));
    EXPECT_TRUE(game.WaitFor("logged-in"));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink"));
}

// A cancel chosen while the question about a running game is open holds, whatever the
// answer; a game whose window is hidden counts as running.
TEST_F(Login, ACancelDuringTheRunningGameQuestionHolds) {
    GameInstall running("mode=hidden\r\nlinger_ms=0\r\n");
    RunningProgram runningGame = RunningProgram::StartExe(running.File(L"camelot.exe"));
    ASSERT_TRUE(running.WaitFor("created", std::chrono::seconds(10)));

    GameInstall game;
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A"));
    ChooseFirstQuickLogin();
    HWND question = WaitForMessageBox(pid());
    ASSERT_TRUE(question);
    EXPECT_EQ(ReadMessageBox(question).text, L"DAoC läuft bereits, trotzdem fortfahren?");
    ASSERT_TRUE(PickTrayCommand(pid(), {1, 0, true}, tray_menu::popupmenue_cancel_run));
    PressButton(question, IDYES);
    EXPECT_TRUE(StaysTrue([&] { return game.Count("start") == 0; }, std::chrono::milliseconds(800)));
    // The next run asks again and goes on.
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDYES, L"Corvalink"), L"DAoC läuft bereits, trotzdem fortfahren?");
    EXPECT_TRUE(game.WaitFor("logged-in"));
}

TEST_F(Login, ARunningGameIsAskedAbout) {
    GameInstall running("mode=running\r\nlinger_ms=0\r\n");
    RunningProgram runningGame = RunningProgram::StartExe(running.File(L"camelot.exe"));
    ASSERT_TRUE(running.WaitFor("shown", std::chrono::seconds(10)));

    GameInstall game;
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A"));
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDNO, L"Corvalink"), L"DAoC läuft bereits, trotzdem fortfahren?");
    EXPECT_TRUE(StaysTrue([&] { return game.Count("start") == 0; }, std::chrono::milliseconds(500)));
    EXPECT_NE(testing_support::ReadBytes(game.File(L"user.dat")).find("setentry=1"), std::string::npos);

    // The items are enabled again: the same QuickLogin asks again, and Yes logs in.
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDYES, L"Corvalink"), L"DAoC läuft bereits, trotzdem fortfahren?");
    EXPECT_TRUE(game.WaitFor("logged-in"));
}

TEST_F(Login, AGameThatStopsAnsweringDoesNotFreezeCorvalink) {
    GameInstall game("hang_ms=6000\r\n");
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A", "[help]\r\n1=0\r\n"));
    ChooseFirstQuickLogin();
    ASSERT_TRUE(game.WaitFor("hang", std::chrono::seconds(20)));
    // While the game hangs, the tray menu and the about window still work.
    const ULONGLONG asked = GetTickCount64();
    ASSERT_TRUE(PickTrayCommand(pid(), {}, tray_menu::popupmenue_about));
    HWND about = WaitForWindow(pid(), L"#32770", uia::AboutTitle().c_str(), std::chrono::seconds(4));
    ASSERT_TRUE(about);
    EXPECT_EQ(game.Count("logged-in"), 0);  // the game still hangs: the window came from Corvalink alone
    std::printf("about window after %llu ms of a hanging game\n", GetTickCount64() - asked);
    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(game.WaitFor("logged-in"));  // and the login goes on once the game answers again
}

TEST_F(Login, SwitchedOffHelpShowsNoPage) {
    GameInstall game;
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A", "[help]\r\n1=0\r\n"));
    ChooseFirstQuickLogin();
    ASSERT_TRUE(game.WaitFor("logged-in"));
    Sleep(300);
    EXPECT_FALSE(FindWindowOf(pid(), L"#32770", kHelpTitle));
}

TEST_F(Login, ARunWaitingForEverCanBeCancelled) {
    GameInstall game("play_button=0\r\n");
    Start(Settings(game, L"Aldwin,LYONESSE,Albion,acc1,Client A", "[help]\r\n1=0\r\n"));
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDOK), L"Play-Button nicht gefunden");

    // The run now waits for a game window that never comes.
    ASSERT_TRUE(PickTrayCommand(pid(), {1, 0, true}, tray_menu::popupmenue_cancel_run));
    Sleep(300);
    // The QuickLogin item works again: a second run starts the launcher again.
    ChooseFirstQuickLogin();
    EXPECT_EQ(Answer(IDOK), L"Play-Button nicht gefunden");
    EXPECT_TRUE(game.WaitFor("start", std::chrono::seconds(10), 2));
}

TEST_F(Login, EntriesThatCannotBeResolvedAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        std::wstring entry;
        std::wstring message;
    } cases[] = {
        {L"Aldwin,LYONESSE,Albion,acc1,Nowhere",
         L"Für den Client „Nowhere“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie den Client in der "
         L"Konfiguration ein."},
        {L"Aldwin,Unknown,Albion,acc1,Client A",
         L"Für den Server „UNKNOWN“ ist keine Adresse eingetragen. Die Einstellungsdatei braucht im Abschnitt "
         L"[server] eine Zeile UNKNOWN=Adresse:Port."},
        {L"Aldwin,NOPORT,Albion,acc1,Client A",
         L"Für den Server „NOPORT“ ist keine Adresse eingetragen. Die Einstellungsdatei braucht im Abschnitt "
         L"[server] eine Zeile NOPORT=Adresse:Port."},
        {L"Aldwin,LYONESSE,Albion,ghost,Client A",
         L"Den Account „ghost“ gibt es in den Einstellungen nicht (mehr). Bitte legen Sie ihn in der Konfiguration "
         L"über „..“ neben der Account-Liste an, oder wählen Sie für den QuickLogin einen anderen Account."},
        {L"Aldwin,LYONESSE,Albion",
         L"Der QuickLogin „Aldwin,LYONESSE,Albion“ ist unvollständig: Es fehlen Angaben zu Server, Reich, Account "
         L"oder Client. Bitte legen Sie ihn in der Konfiguration neu an."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Ansi(c.entry));
        GameInstall game;
        Start(Settings(game, c.entry));
        for (int attempt = 0; attempt < 2; ++attempt) {  // the item stays usable
            ChooseFirstQuickLogin();
            EXPECT_EQ(Answer(IDOK), c.message);
        }
        EXPECT_FALSE(GetFileAttributesW(game.File(L"user.dat").c_str()) != INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(game.Count("start"), 0);
        program.reset();
    }
}

}  // namespace
