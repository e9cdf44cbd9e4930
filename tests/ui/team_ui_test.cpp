// Every test here uses: game_windows
// Teams whose members log in side by side: paced, each game with its own character, a member
// that hangs given up and retried, a server that limits logins, and a cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/started_program.h"
#include "tray/tray_menu.h"

using namespace uia;

namespace {

struct Member {
    std::wstring character;
    size_t client;  // index of the installation
};

// Settings with the account acc1, a client C<i> for each installation, the LYONESSE server,
// the members as QuickLogins and a team "Abend" of all of them, then the QuickLogins `others`
// outside the team; `options`: lines of [options].
std::string TeamSettings(const std::vector<const GameInstall*>& games, const std::vector<Member>& members,
                         const std::string& options, const std::vector<Member>& others = {}) {
    std::string settings = "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\n";
    for (size_t i = 0; i < games.size(); ++i)
        settings.append("C").append(std::to_string(i)).append("=").append(Ansi(games[i]->path())).append("\r\n");
    settings += "[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n[options]\r\n" +
                options + "[quicklogin]\r\n";
    std::string team = "[teams]\r\nAbend=" + std::to_string(members.size()) + "\r\n[team:Abend]\r\n";
    for (size_t i = 0; i < members.size(); ++i) {
        const std::wstring entry =
            members[i].character + L",LYONESSE,Albion,acc1,C" + std::to_wstring(members[i].client);
        settings += QuickLoginLine(static_cast<int>(i), entry);
        team += QuickLoginLine(static_cast<int>(i), entry);
    }
    for (size_t i = 0; i < others.size(); ++i)
        settings +=
            QuickLoginLine(static_cast<int>(members.size() + i),
                           others[i].character + L",LYONESSE,Albion,acc1,C" + std::to_wstring(others[i].client));
    return settings + team;
}

long long At(const GameInstall& game, const std::string& event, int nth = 1) {
    for (const GameInstall::Event& e : game.Log())
        if (e.name == event && --nth == 0) return e.microseconds;
    return 0;
}

class Team : public StartedProgram {
protected:
    void Start(const std::string& settings) { ASSERT_TRUE(StartWith(settings)); }
    std::string Log() const { return folder.Read(L"Corvalink.log"); }
};

// Four installations: every member logs in with its own character, the members overlap (the
// second starts before the first is logged in) and are spaced as set. One launcher checks for
// patches before it enables Play; two games run in processes of their own, started by their
// launchers. The log names every login and holds no password.
TEST_F(Team, FourInstallationsLogInSideBySideEachWithItsOwnCharacter) {
    const std::string slow = "window_delay_ms=400\r\nlinger_ms=0\r\n";
    const GameInstall games[4] = {GameInstall(slow), GameInstall(slow + "game_process=child\r\n"),
                                  GameInstall(slow + "patch_ms=1500\r\n"),
                                  GameInstall(slow + "game_process=child\r\n")};
    const wchar_t* characters[] = {L"Aldwin", L"Bryn", L"Cai", L"Dagny"};
    Start(TeamSettings({&games[0], &games[1], &games[2], &games[3]},
                       {{characters[0], 0}, {characters[1], 1}, {characters[2], 2}, {characters[3], 3}},
                       "start_spacing=1\r\n"));
    ASSERT_TRUE(PickTeam(pid(), 0, {4, 1}));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink :: Team Abend: 0 von 4 eingeloggt, 1 laufen, 0 fehlgeschlagen",
                               std::chrono::seconds(2)));
    for (const GameInstall& game : games) ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(40)));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(games[i].Count("start"), 1);
        EXPECT_NE(games[i].Detail("user.dat").find(Ansi(std::wstring(L"entry0=") + characters[i] + L",")),
                  std::string::npos);
        EXPECT_EQ(games[i].Detail("password"), "secret12");
        EXPECT_EQ(games[i].Detail("title"), ToUtf8(std::wstring(characters[i]) + L" \u2013 LYONESSE/Albion"));
        // Spaced by a second (the doubles' own start takes its time, which may vary).
        if (i > 0) {
            EXPECT_GE(At(games[i], "start") - At(games[i - 1], "start"), 700'000);
        }
    }
    EXPECT_LT(At(games[1], "start"), At(games[0], "logged-in")) << "the members did not overlap";
    EXPECT_GT(At(games[2], "play-click"), At(games[2], "patched")) << "Play was pressed while still patching";
    // Everybody in: no message, the tip is the product's name again.
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink"));
    const std::string log = Log();
    for (const wchar_t* character : characters)
        EXPECT_NE(log.find(ToUtf8(character) + ": logged in after"), std::string::npos) << log;
    EXPECT_NE(log.find("Team Abend: ended: 4 of 4 logged in"), std::string::npos) << log;
    EXPECT_EQ(log.find("secret12"), std::string::npos);
}

// Three members of one installation: each writes its entry once the game before it has used
// its own, so each game reads its own character (the double reads user.dat when its login
// dialog is confirmed, as the game takes its entry then).
TEST_F(Team, ThreeMembersOfOneInstallationEachGetTheirOwnEntry) {
    const GameInstall game("window_delay_ms=300\r\nlinger_ms=0\r\nread_user_dat=login\r\n");
    Start(TeamSettings({&game}, {{L"Aldwin", 0}, {L"Bryn", 0}, {L"Cai", 0}}, "start_spacing=0\r\n"));
    ASSERT_TRUE(PickTeam(pid(), 0, {3, 1}));
    ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(40), 3));
    std::vector<std::string> read;
    for (const GameInstall::Event& e : game.Log())
        if (e.name == "user.dat") read.push_back(e.detail.substr(e.detail.find("entry0=") + 7, 4));
    EXPECT_EQ(read, (std::vector<std::string>{"Aldw", "Bryn", "Cai,"}));
    EXPECT_EQ(game.Count("start"), 3);
    // Each game window was named after its own character the moment it was there (the next game
    // starts much later, once this one has used its entry).
    std::vector<std::string> named;
    bool windowNew = false;
    for (const GameInstall::Event& e : game.Log()) {
        if (e.name == "game-window") windowNew = true;
        if (e.name == "title" && windowNew) named.push_back(e.detail.substr(0, e.detail.find(' ')));
        if (e.name == "title") windowNew = false;
    }
    EXPECT_EQ(named, (std::vector<std::string>{"Aldwin", "Bryn", "Cai"}));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink"));
}

// A member whose game never shows its login dialog is given up after its time limit, left
// running, while the others log in; the message names it and why, and the retry of just that
// member logs it in once its game lets it (its first game, still there with the same titles,
// is not taken for the new one's).
TEST_F(Team, AHangingMemberIsGivenUpNamedAndRetriedAlone) {
    const GameInstall games[3] = {GameInstall("linger_ms=0\r\n"), GameInstall("linger_ms=0\r\nlogin_dialog=0\r\n"),
                                  GameInstall("linger_ms=0\r\n")};
    Start(TeamSettings({&games[0], &games[1], &games[2]}, {{L"Aldwin", 0}, {L"Bryn", 1}, {L"Cai", 2}},
                       "start_spacing=0\r\nmember_time_limit=10\r\n"));
    ASSERT_TRUE(PickTeam(pid(), 0, {3, 1}));
    ASSERT_TRUE(games[0].WaitFor("logged-in") && games[2].WaitFor("logged-in"));
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink :: Team Abend: 2 von 3 eingeloggt, 1 laufen, 0 fehlgeschlagen"));
    HWND box = WaitForMessageBox(pid(), std::chrono::seconds(20));
    ASSERT_TRUE(box);
    const std::wstring text = ReadMessageBox(box).text;
    EXPECT_NE(text.find(L"Team Abend: 2 von 3 eingeloggt."), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"Eingeloggt:\r\n    LYONESSE/Albion: Aldwin\r\n    LYONESSE/Albion: Cai"), std::wstring::npos)
        << text;
    EXPECT_NE(text.find(L"Nicht eingeloggt:\r\n    LYONESSE/Albion: Bryn: nach 10 s nicht eingeloggt, das Spiel "
                        L"läuft weiter (wartet auf das Anmeldefenster)"),
              std::wstring::npos)
        << text;
    EXPECT_NE(text.find(L"Corvalink.log."), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"Nur die fehlgeschlagenen erneut starten?"), std::wstring::npos) << text;
    EXPECT_EQ(games[1].Count("end"), 0) << "the hanging game was ended";

    // The game lets its next copy in: the retry starts Bryn alone.
    testing_support::WriteBytes(games[1].File(L"double.ini"), "[double]\r\nlinger_ms=0\r\n");
    PressButton(box, IDYES);
    ASSERT_TRUE(games[1].WaitFor("logged-in", std::chrono::seconds(30)));
    EXPECT_EQ(games[1].Count("start"), 2);
    EXPECT_EQ(games[0].Count("start") + games[2].Count("start"), 2);
    EXPECT_EQ(games[1].Count("password-set"), 1) << "the first game's window was taken for the second's";
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink"));
}

// A member whose launcher never shows is given up after its limit as well, counted from its
// start; the others log in.
TEST_F(Team, AMemberWhoseLauncherNeverShowsIsGivenUp) {
    const GameInstall games[2] = {GameInstall("linger_ms=0\r\n"), GameInstall("window_delay_ms=600000\r\n")};
    Start(TeamSettings({&games[0], &games[1]}, {{L"Aldwin", 0}, {L"Bryn", 1}},
                       "start_spacing=0\r\nmember_time_limit=10\r\n"));
    ASSERT_TRUE(PickTeam(pid(), 0, {2, 1}));
    ASSERT_TRUE(games[0].WaitFor("logged-in"));
    const MessageBoxInfo box = AnswerMessageBox(pid(), IDNO, std::chrono::seconds(20));
    EXPECT_NE(box.text.find(L"LYONESSE/Albion: Bryn: nach 10 s nicht eingeloggt, das Spiel läuft weiter (wartet auf "
                            L"den DAoC-Launcher)"),
              std::wstring::npos)
        << Ansi(box.text);
    EXPECT_EQ(games[1].Count("end"), 0) << "the launcher was ended";
}

// A server that refuses more than two logins within a second: two at once never meet it.
TEST_F(Team, TwoAtOnceStayWithinTheServersLimit) {
    testing_support::TempDir server;
    const std::string scenario =
        "window_delay_ms=300\r\nlinger_ms=0\r\nserver_limit=2\r\nserver_window_ms=1000\r\n"
        "server_file=" +
        Ansi(server / L"logins.txt") + "\r\n";
    const GameInstall games[4] = {GameInstall(scenario), GameInstall(scenario), GameInstall(scenario),
                                  GameInstall(scenario)};
    Start(TeamSettings({&games[0], &games[1], &games[2], &games[3]},
                       {{L"Aldwin", 0}, {L"Bryn", 1}, {L"Cai", 2}, {L"Dagny", 3}},
                       "start_spacing=0\r\nat_once=2\r\nmember_time_limit=15\r\n"));
    ASSERT_TRUE(PickTeam(pid(), 0, {4, 1}));
    for (const GameInstall& game : games) EXPECT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(40)));
    for (const GameInstall& game : games) EXPECT_EQ(game.Count("refused"), 0);
    // Never more than two under way: the third started after the first was logged in.
    EXPECT_GT(At(games[2], "start"), std::min(At(games[0], "logged-in"), At(games[1], "logged-in")));
}

// A cancel while members are under way: nobody further starts, the runs under way end, and the
// message says who was logged in before it.
TEST_F(Team, ACancelStartsNobodyFurtherAndSaysWhoWasIn) {
    const GameInstall games[4] = {GameInstall("linger_ms=0\r\n"), GameInstall("window_delay_ms=60000\r\n"),
                                  GameInstall("window_delay_ms=60000\r\n"), GameInstall()};
    Start(TeamSettings({&games[0], &games[1], &games[2], &games[3]},
                       {{L"Aldwin", 0}, {L"Bryn", 1}, {L"Cai", 2}, {L"Dagny", 3}}, "start_spacing=0\r\nat_once=2\r\n"));
    ASSERT_TRUE(PickTeam(pid(), 0, {4, 1}));
    ASSERT_TRUE(games[0].WaitFor("logged-in") && games[2].WaitFor("start"));
    // The fourth waits for a free place: the launchers of the second and third take a minute.
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink :: Team Abend: 1 von 4 eingeloggt, 2 laufen, 0 fehlgeschlagen"));
    ASSERT_TRUE(PickTrayCommand(pid(), {4, 1, true, 1}, tray_menu::popupmenue_cancel_run));  // Aldwin runs
    const MessageBoxInfo box = AnswerMessageBox(pid(), IDOK);
    EXPECT_NE(box.text.find(L"Team Abend abgebrochen: 1 von 4 waren eingeloggt."), std::wstring::npos) << box.text;
    EXPECT_NE(box.text.find(L"Eingeloggt:\r\n    LYONESSE/Albion: Aldwin"), std::wstring::npos) << box.text;
    EXPECT_NE(box.text.find(L"LYONESSE/Albion: Bryn: abgebrochen\r\n    LYONESSE/Albion: Cai: abgebrochen"),
              std::wstring::npos)
        << box.text;
    EXPECT_NE(box.text.find(L"LYONESSE/Albion: Dagny: nicht gestartet"), std::wstring::npos) << box.text;
    EXPECT_EQ(box.text.find(L"erneut starten"), std::wstring::npos) << "a cancel offers no retry";
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink"));
    Sleep(1000);
    EXPECT_EQ(games[3].Count("start"), 0);
    EXPECT_EQ(games[1].Count("end") + games[2].Count("end"), 0) << "a launcher under way was ended";
}

// The pacing typed into the configuration window (its fields take digits only) is saved, and the
// next team keeps it: one at a time, each member after the previous one's login.
TEST_F(Team, ThePacingTypedInTheConfigurationWindowHolds) {
    const GameInstall games[2] = {GameInstall("window_delay_ms=300\r\nlinger_ms=0\r\n"),
                                  GameInstall("linger_ms=0\r\n")};
    Start(TeamSettings({&games[0], &games[1]}, {{L"Aldwin", 0}, {L"Bryn", 1}}, ""));
    HWND config = OpenConfigWindow(pid());
    ASSERT_TRUE(config);
    HWND spacing = GetDlgItem(config, login_cnf_frm::StartGapTxt),
         atOnce = GetDlgItem(config, login_cnf_frm::AtOnceTxt);
    EXPECT_EQ(TextOf(spacing), L"2");
    EXPECT_EQ(TextOf(atOnce), L"4");
    for (auto [field, typed] : {std::pair{spacing, L"x0"}, std::pair{atOnce, L"1"}}) {
        FocusControl(config, field);
        SendMessageW(field, EM_SETSEL, 0, -1);
        PressKey(field, VK_DELETE);
        TypeText(field, typed);
    }
    EXPECT_EQ(TextOf(spacing), L"0");
    PressButton(config, login_cnf_frm::SaveCmd);
    const std::string saved = folder.Read(L"Corvalink.dat");
    EXPECT_NE(saved.find("[options]\r\nstart_spacing=0\r\nat_once=1\r\n"), std::string::npos) << saved;
    CloseAndWait(config);

    ASSERT_TRUE(PickTeam(pid(), 0, {2, 1}));
    ASSERT_TRUE(games[1].WaitFor("logged-in", std::chrono::seconds(30)));
    EXPECT_GT(At(games[1], "start"), At(games[0], "logged-in"));
    EXPECT_LT(At(games[1], "start") - At(games[0], "terms-click"), 1'500'000) << "no spacing was set";
}

// While a team runs, the menu's QuickLogins still work: one of another installation logs in
// beside the team, one of an installation the team still logs in on is refused with a reason.
TEST_F(Team, AQuickLoginOfAnotherInstallationLogsInBesideTheTeam) {
    const GameInstall games[3] = {GameInstall("linger_ms=0\r\n"), GameInstall("window_delay_ms=60000\r\n"),
                                  GameInstall("linger_ms=0\r\n")};
    Start(TeamSettings({&games[0], &games[1], &games[2]}, {{L"Aldwin", 0}, {L"Bryn", 1}}, "start_spacing=0\r\n",
                       {{L"Cai", 2}, {L"Dora", 1}}));
    ASSERT_TRUE(PickTeam(pid(), 0, {4, 1}));
    ASSERT_TRUE(games[0].WaitFor("logged-in") && games[1].WaitFor("start"));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink :: Team Abend: 1 von 2 eingeloggt, 1 laufen, 0 fehlgeschlagen"));
    const ShownTrayMenu running{4, 1, true, 1};
    ASSERT_TRUE(PickQuickLogin(pid(), 2, running));
    ASSERT_TRUE(games[2].WaitFor("logged-in"));
    EXPECT_NE(games[2].Detail("user.dat").find("entry0=Cai,"), std::string::npos);
    ASSERT_TRUE(PickQuickLogin(pid(), 3, {4, 1, true, 2}));
    const MessageBoxInfo refused = AnswerMessageBox(pid(), IDOK);
    EXPECT_EQ(refused.text.rfind(L"„LYONESSE/Albion: Dora“ kann gerade nicht starten: Das Team „Abend“", 0), 0u)
        << refused.text;
    EXPECT_EQ(games[1].Count("start"), 1);
    // The team goes on as it was.
    EXPECT_TRUE(TrayTipBecomes(L"Corvalink :: Team Abend: 1 von 2 eingeloggt, 1 laufen, 0 fehlgeschlagen"));
}

// A log that cannot be written (a folder stands where it would be) never stops a login.
TEST_F(Team, ALogThatCannotBeWrittenNeverStopsALogin) {
    const GameInstall game("linger_ms=0\r\n");
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Corvalink.log").c_str(), nullptr));
    Start(TeamSettings({&game}, {{L"Aldwin", 0}}, ""));
    ASSERT_TRUE(PickQuickLogin(pid(), 0, {1, 1}));
    EXPECT_TRUE(game.WaitFor("logged-in"));
}

}  // namespace
