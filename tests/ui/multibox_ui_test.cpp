// Every test here uses: game_windows
// Several games at once: windows named after their characters, a switcher in the tray, window
// places remembered per QuickLogin, and hotkeys pressed on the keyboard.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "tray/tray_menu.h"

using namespace uia;

namespace {

// Settings with the account acc1, a client for each game and the LYONESSE server.
std::string Settings(const std::vector<const GameInstall*>& games, const std::vector<std::wstring>& entries,
                     const std::string& more = "") {
    std::string settings = "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\n";
    for (size_t i = 0; i < games.size(); ++i)
        settings.append("C").append(std::to_string(i)).append("=").append(Ansi(games[i]->path())).append("\r\n");
    settings += "[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n[quicklogin]\r\n";
    for (size_t i = 0; i < entries.size(); ++i) settings += QuickLoginLine(static_cast<int>(i), entries[i]);
    return settings + more;
}

// Options that start a team's members one after another at once (so its games come in its
// order), `more` options, and the team "Alle" of every entry.
std::string OneAtATimeTeamOfAll(const std::vector<std::wstring>& entries, const std::string& more = "") {
    std::string text = "[options]\r\nat_once=1\r\nstart_spacing=0\r\n";
    text.append(more).append("[teams]\r\nAlle=").append(std::to_string(entries.size())).append("\r\n[team:Alle]\r\n");
    for (size_t i = 0; i < entries.size(); ++i) text += QuickLoginLine(static_cast<int>(i), entries[i]);
    return text;
}

// The game window that the double brought up last, by the handle it logged.
HWND GameWindowOf(const GameInstall& game) {
    if (!game.WaitFor("game-window")) return nullptr;
    HWND window = nullptr;
    for (const GameInstall::Event& e : game.Log())
        if (e.name == "game-window") window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(e.detail)));
    return window;
}

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A team of two: each window carries its character's name (given back when the game titles
// itself anew), a running game is still asked about, and the switcher brings each window to the
// front.
TEST(Multibox, TwoGamesAreNamedAskedAboutAndBroughtToTheFront) {
    const GameInstall first("linger_ms=0\r\nretitle_ms=200\r\n"), second("linger_ms=0\r\n");
    ProgramFolder folder;
    folder.Write(
        L"Corvalink.dat",
        Settings({&first, &second}, {L"Aldwin,LYONESSE,Albion,acc1,C0", L"Brenna,LYONESSE,Hibernia,acc1,C1"},
                 "[teams]\r\nZwei=2\r\n[team:Zwei]\r\n" + QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,C0") +
                     QuickLoginLine(1, L"Brenna,LYONESSE,Hibernia,acc1,C1")));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));
    ASSERT_TRUE(PickTeam(program.pid(), 0, {2, 1}));
    ASSERT_TRUE(first.WaitFor("logged-in") && second.WaitFor("logged-in", std::chrono::seconds(30)));
    HWND windows[] = {GameWindowOf(first), GameWindowOf(second)};
    ASSERT_TRUE(windows[0] && windows[1]);
    // The first game titles itself anew soon after its login: its first title is read from its log.
    EXPECT_EQ(first.Detail("title"), ToUtf8(L"Aldwin \u2013 LYONESSE/Albion"));
    EXPECT_EQ(TextOf(windows[1]), L"Brenna \u2013 LYONESSE/Hibernia");
    ASSERT_TRUE(first.WaitFor("self-title"));
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<GameInstall::Event> log = first.Log();
        return !log.empty() && log.back().name == "title" && TextOf(windows[0]) == L"Aldwin \u2013 LYONESSE/Albion";
    })) << "the name was not given back";

    // Renamed, the games still count as running (once the team's run is over).
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0, {2, 1}));
    const MessageBoxInfo question = AnswerMessageBox(program.pid(), IDNO);
    EXPECT_EQ(question.text, L"DAoC läuft bereits, trotzdem fortfahren?");

    const ShownTrayMenu menu{2, 1, false, 2};
    for (size_t i : {1u, 0u}) {
        ASSERT_TRUE(PickInRunningGames(program.pid(), i, menu));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == windows[i]; })) << i;
    }
    // A minimised game comes back.
    ShowWindow(windows[1], SW_MINIMIZE);
    ASSERT_TRUE(PickInRunningGames(program.pid(), 1, menu));
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(windows[1]) && GetForegroundWindow() == windows[1]; }));
}

// A window moved by the player, remembered, closed: the next login puts it back; forgotten,
// the places are gone from the file.
TEST(Multibox, AWindowPlaceIsRememberedAndComesBack) {
    const GameInstall game("linger_ms=0\r\n");
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", Settings({&game}, {L"Aldwin,LYONESSE,Albion,acc1,C0"}));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));  // the run is over
    HWND window = GameWindowOf(game);
    ASSERT_TRUE(window);
    SetWindowPos(window, nullptr, 210, 150, 500, 380, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT moved = RectOf(window);
    ASSERT_TRUE(PickInRunningGames(program.pid(), 1, {1, 0, false, 1}));  // "Fensterplätze merken"
    ASSERT_TRUE(WaitUntil([&] { return folder.Read(L"Corvalink.dat").find("[places]") != std::string::npos; }));
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("\r\n0=210,150,500,380,"), std::string::npos)
        << folder.Read(L"Corvalink.dat");

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(game.WaitFor("end"));
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(20), 2));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));
    HWND again = GameWindowOf(game);  // the second login's window
    ASSERT_TRUE(IsWindow(again));
    const RECT placed = RectOf(again);
    EXPECT_EQ(std::vector<LONG>({placed.left, placed.top, placed.right, placed.bottom}),
              std::vector<LONG>({moved.left, moved.top, moved.right, moved.bottom}));

    ASSERT_TRUE(PickInRunningGames(program.pid(), 2, {1, 0, false, 1}));  // "Fensterplätze vergessen"
    EXPECT_TRUE(WaitUntil([&] { return folder.Read(L"Corvalink.dat").find("[places]") == std::string::npos; }));
    PostMessageW(again, WM_CLOSE, 0, 0);
}

// Starts a program of the Linux side (the rig's X server tools). Wine starts it, but gives no
// handle to wait on: the test waits for what it does.
bool RunUnix(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

LRESULT CALLBACK PlainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, msg, wParam, lParam);
}

// Gives this test's window the keyboard, handling its messages until the X server has moved
// the focus there, then presses the keys through the X server.
bool PressOnTheKeyboard(HWND own, const std::wstring& keys) {
    SetForegroundWindow(own);
    SetFocus(own);
    const auto pump = [](DWORD ms) {
        for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
    };
    pump(300);
    if (!RunUnix(L"Z:\\usr\\bin\\xdotool key " + keys)) return false;
    pump(500);
    return true;
}

// A hotkey pressed on the X server's keyboard logs its QuickLogin in; pressed again while its
// game runs, it brings the game to the front. (Wine hands a hotkey over only while one of its
// windows has the keyboard: this test's own window takes it first.)
TEST(Multibox, AHotkeyPressedOnTheKeyboardLogsInAndThenBringsTheGameBack) {
    if (GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no xdotool";
    const GameInstall game("linger_ms=0\r\n");
    ProgramFolder folder;
    const std::wstring entry = L"Aldwin,LYONESSE,Albion,acc1,C0";
    folder.Write(L"Corvalink.dat",
                 Settings({&game}, {entry}, "[hotkeys]\r\nStrg+Alt+1=quick:" + Scrambled(entry) + "\r\n"));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));

    WNDCLASSW cls{};
    cls.lpfnWndProc = PlainProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"HotkeyTestWindow";
    RegisterClassW(&cls);
    HWND own = CreateWindowExW(0, cls.lpszClassName, L"keyboard", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_TRUE(PressOnTheKeyboard(own, L"ctrl+alt+1"));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));
    HWND window = GameWindowOf(game);

    ASSERT_TRUE(PressOnTheKeyboard(own, L"ctrl+alt+1"));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
    EXPECT_EQ(game.Count("start"), 1);
    DestroyWindow(own);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// A hotkey that another program holds is named at start-up.
TEST(Multibox, ATakenHotkeyIsNamed) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, '7'));
    const GameInstall game;
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", Settings({&game}, {L"Aldwin,LYONESSE,Albion,acc1,C0"},
                                            "[teams]\r\nZwei=1\r\n[team:Zwei]\r\n" +
                                                QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,C0") +
                                                "[hotkeys]\r\nStrg+Alt+7=team:Zwei\r\n"));
    RunningProgram program = RunningProgram::Start(folder);
    const MessageBoxInfo box = AnswerMessageBox(program.pid(), IDOK);
    UnregisterHotKey(nullptr, 1);
    EXPECT_EQ(box.text.rfind(L"Das Tastenkürzel „Strg+Alt+7“ (Team: Zwei) ist schon vergeben", 0), 0u)
        << Ansi(box.text);
}

}  // namespace

namespace {

// The configuration window: the hotkey field speaks for the chosen row, and the switch for
// naming windows; both saved, the next login keeps the game's own title.
TEST(Multibox, TheConfigurationSetsAHotkeyAndTheNamingSwitch) {
    const GameInstall game("linger_ms=0\r\n");
    ProgramFolder folder;
    const std::wstring entry = L"Aldwin,LYONESSE,Albion,acc1,C0";
    folder.Write(L"Corvalink.dat", Settings({&game}, {entry}));
    RunningProgram program = RunningProgram::Start(folder);
    HWND config = OpenConfigWindow(program.pid());
    ASSERT_TRUE(config);
    ListViewSelectIn(GetDlgItem(config, login_cnf_frm::ChrLstVw), 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return TextOf(GetDlgItem(config, login_cnf_frm::HotkeyFor)) == L"für LYONESSE/Albion: Aldwin"; }));
    HWND field = GetDlgItem(config, login_cnf_frm::HotkeyTxt);
    SendMessageW(field, HKM_SETHOTKEY, MAKEWORD('2', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    SendMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::HotkeyTxt, EN_CHANGE), reinterpret_cast<LPARAM>(field));
    SendMessageW(GetDlgItem(config, login_cnf_frm::RenameChk), BM_SETCHECK, BST_UNCHECKED, 0);
    PressButton(config, login_cnf_frm::SaveCmd);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));
    const std::string saved = folder.Read(L"Corvalink.dat");
    EXPECT_NE(saved.find("[options]\r\nrename=0\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[hotkeys]\r\nStrg+Alt+2=quick:" + Scrambled(entry) + "\r\n"), std::string::npos) << saved;

    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    HWND window = GameWindowOf(game);
    EXPECT_EQ(TextOf(window), L"Dark Age of Camelot");
    EXPECT_EQ(game.Count("title"), 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

// A hotkey whose QuickLogin is gone says so, naming it, and starts nothing.
TEST(Multibox, AHotkeyOfAGoneQuickLoginNamesIt) {
    const GameInstall game;
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat",
                 Settings({&game}, {L"Aldwin,LYONESSE,Albion,acc1,C0"},
                          "[hotkeys]\r\nStrg+Alt+3=quick:" + Scrambled(L"Gone,LYONESSE,Midgard,acc1,C0") + "\r\n"));
    RunningProgram program = RunningProgram::Start(folder);
    HWND tray = WaitForTrayWindow(program.pid());
    ASSERT_TRUE(tray);
    PostMessageW(tray, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, '3'));
    const MessageBoxInfo box = AnswerMessageBox(program.pid(), IDOK);
    EXPECT_EQ(box.text.rfind(L"Das Tastenkürzel „Strg+Alt+3“ gehört zum QuickLogin „LYONESSE/Midgard: Gone“", 0), 0u)
        << Ansi(box.text);
    EXPECT_EQ(game.Count("start"), 0);
}

// A hotkey pressed while a login runs waits for it and then logs its own QuickLogin in.
TEST(Multibox, AHotkeyDuringALoginFollowsIt) {
    const GameInstall first("window_delay_ms=700\r\nlinger_ms=0\r\n"), second("linger_ms=0\r\n");
    ProgramFolder folder;
    const std::wstring a = L"Aldwin,LYONESSE,Albion,acc1,C0", b = L"Bea,LYONESSE,Albion,acc1,C1";
    folder.Write(L"Corvalink.dat",
                 Settings({&first, &second}, {a, b}, "[hotkeys]\r\nStrg+Alt+4=quick:" + Scrambled(b) + "\r\n"));
    RunningProgram program = RunningProgram::Start(folder);
    HWND tray = WaitForTrayWindow(program.pid());
    ASSERT_TRUE(tray);
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(first.WaitFor("start"));
    PostMessageW(tray, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, '4'));
    EXPECT_TRUE(
        TrayTipBecomes(L"Corvalink :: Tastenkürzel „Strg+Alt+4“: Es folgt, sobald die laufende Anmeldung "
                       L"fertig ist."));
    ASSERT_TRUE(first.WaitFor("logged-in"));
    // The first game runs: the hotkey's login asks, as any login does, before starting another.
    EXPECT_NE(AnswerMessageBox(program.pid(), IDYES).text.find(L"DAoC"), std::wstring::npos);
    ASSERT_TRUE(second.WaitFor("logged-in")) << "the hotkey's login did not follow";
    const auto at = [](const GameInstall& game, const std::string& name) {
        for (const GameInstall::Event& e : game.Log())
            if (e.name == name) return e.microseconds;
        return 0LL;
    };
    EXPECT_GT(at(second, "start"), at(first, "logged-in")) << "the second login started during the first";
    for (const GameInstall* game : {&first, &second}) PostMessageW(GameWindowOf(*game), WM_CLOSE, 0, 0);
}

// Hand-written hotkeys: the same keys twice, a key repeated in other capitals, a hotkey without
// a target and thousands that name no key are each named for what they are, the first few of
// them in a box that fits on the screen.
TEST(Multibox, HandWrittenHotkeyProblemsAreNamedForWhatTheyAre) {
    const GameInstall game;
    ProgramFolder folder;
    std::string hotkeys =
        "[hotkeys]\r\nStrg+Alt+1=team:Zwei\r\nAlt+Strg+1=team:Zwei\r\nstrg+alt+1=team:Zwei\r\n"
        "Strg+Alt+2=quick:\r\n";
    for (int i = 0; i < 3000; ++i) hotkeys += "Strg+Taste" + std::to_string(i) + "=team:Zwei\r\n";
    folder.Write(L"Corvalink.dat", Settings({&game}, {L"Aldwin,LYONESSE,Albion,acc1,C0"}, hotkeys));
    RunningProgram program = RunningProgram::Start(folder);
    HWND box = WaitForMessageBox(program.pid());
    ASSERT_TRUE(box);
    const std::wstring text = ReadMessageBox(box).text;
    RECT rect{};
    GetWindowRect(box, &rect);
    PressButton(box, IDOK);
    const std::wstring expected[] = {
        L"Das Tastenkürzel „strg+alt+1“ steht zweimal in der Einstellungsdatei (in anderer Groß- und "
        L"Kleinschreibung); es gilt nur seine erste Zeile.",
        L"Das Tastenkürzel „Strg+Alt+2“ in der Einstellungsdatei nennt keinen QuickLogin und kein Team "
        L"(\u201Equick:\u201C); "
        L"es bleibt ohne Wirkung.",
        L"Die Tastenkürzel „Alt+Strg+1“ und „Strg+Alt+1“ in der Einstellungsdatei sind dieselben Tasten; es gilt nur "
        L"„Strg+Alt+1“.",
        L"Das Tastenkürzel „Strg+Taste0“ in der Einstellungsdatei nennt keine Taste; es bleibt ohne Wirkung.",
        L"… und 2997 weitere Probleme mit Tastenkürzeln. Bitte prüfen Sie den Abschnitt [hotkeys] der "
        L"Einstellungsdatei.",
    };
    for (const std::wstring& part : expected) EXPECT_NE(text.find(part), std::wstring::npos) << Ansi(part);
    EXPECT_LT(text.size(), 2000u);
    EXPECT_GE(rect.top, 0);
    EXPECT_LE(rect.bottom, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

}  // namespace

namespace {

// Ten thousand QuickLogins: the configuration window opens with every one of them and shows the
// last when it is chosen; the tray menu leads to the last through its groups, and it logs in.
TEST(Multibox, TheLastOfTenThousandQuickLoginsIsFoundAndLogsIn) {
    constexpr size_t kCount = 10000;
    const GameInstall game("linger_ms=0\r\n");
    std::vector<std::wstring> entries;
    for (size_t i = 0; i < kCount; ++i) entries.push_back(L"Char" + std::to_wstring(i) + L",LYONESSE,Albion,acc1,C0");
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", Settings({&game}, entries));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForTrayWindow(program.pid(), std::chrono::seconds(30)));

    HWND config = OpenConfigWindow(program.pid());
    ASSERT_TRUE(config);
    HWND list = GetDlgItem(config, login_cnf_frm::ChrLstVw);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(kCount));
    ListViewSelectIn(list, static_cast<int>(kCount - 1));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(config, login_cnf_frm::LgnTxt[0])) == L"Char9999"; }));
    EXPECT_TRUE(CloseAndWait(config)) << "nothing changed: no question";

    ASSERT_TRUE(PickQuickLogin(program.pid(), kCount - 1, {kCount}));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    EXPECT_NE(game.Detail("user.dat").find("entry0=Char9999,"), std::string::npos) << game.Detail("user.dat");
}

// "Laufende Spiele" acts on all games: the next and previous one come to the front in the
// submenu's order and round its end, all are minimised and restored, and all are asked to close.
// Uses: keyboard_focus
TEST(Multibox, TheRunningGamesCommandsActOnEveryGame) {
    const GameInstall games[3] = {GameInstall("linger_ms=0\r\n"), GameInstall("linger_ms=0\r\n"),
                                  GameInstall("linger_ms=0\r\n")};
    const std::vector<std::wstring> entries = {L"Aldwin,LYONESSE,Albion,acc1,C0", L"Bryn,LYONESSE,Albion,acc1,C1",
                                               L"Cai,LYONESSE,Albion,acc1,C2"};
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", Settings({&games[0], &games[1], &games[2]}, entries, OneAtATimeTeamOfAll(entries)));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));
    ASSERT_TRUE(PickTeam(program.pid(), 0, {3, 1}));
    for (const GameInstall& game : games) ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(30)));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));
    const HWND windows[] = {GameWindowOf(games[0]), GameWindowOf(games[1]), GameWindowOf(games[2])};
    const ShownTrayMenu menu{3, 1, false, 3};
    const auto pick = [&](UINT command) { return PickTrayCommand(program.pid(), menu, command); };
    const auto inFront = [&](int i) { return WaitUntil([&] { return GetForegroundWindow() == windows[i]; }); };

    ASSERT_TRUE(PickInRunningGames(program.pid(), 0, menu));
    ASSERT_TRUE(inFront(0));
    for (int i : {1, 2, 0}) {
        ASSERT_TRUE(pick(tray_menu::popupmenue_games_next));
        EXPECT_TRUE(inFront(i)) << "next " << i;
    }
    for (int i : {2, 1}) {
        ASSERT_TRUE(pick(tray_menu::popupmenue_games_previous));
        EXPECT_TRUE(inFront(i)) << "previous " << i;
    }

    ASSERT_TRUE(pick(tray_menu::popupmenue_games_minimize));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(windows[0]) && IsIconic(windows[1]) && IsIconic(windows[2]); }));
    ASSERT_TRUE(pick(tray_menu::popupmenue_games_restore));
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(windows[0]) && !IsIconic(windows[1]) && !IsIconic(windows[2]); }));

    // Close all asks first; No keeps them, Yes asks each to close.
    ASSERT_TRUE(pick(tray_menu::popupmenue_games_close));
    EXPECT_EQ(AnswerMessageBox(program.pid(), IDNO).text.rfind(L"Alle 3 laufenden Spiele schließen?", 0), 0u);
    Sleep(300);
    for (const GameInstall& game : games) EXPECT_EQ(game.Count("end"), 0);
    ASSERT_TRUE(pick(tray_menu::popupmenue_games_close));
    AnswerMessageBox(program.pid(), IDYES);
    for (const GameInstall& game : games) EXPECT_TRUE(game.WaitFor("end"));
}

// A hotkey for all games is set in the configuration window like one for a QuickLogin, and,
// pressed while games run, brings the next one to the front.
// Uses: keyboard_focus
TEST(Multibox, AHotkeyForAllGamesIsSetInTheConfigurationAndActsAtOnce) {
    const GameInstall games[2] = {GameInstall("linger_ms=0\r\n"), GameInstall("linger_ms=0\r\n")};
    const std::vector<std::wstring> entries = {L"Aldwin,LYONESSE,Albion,acc1,C0", L"Bryn,LYONESSE,Albion,acc1,C1"};
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", Settings({&games[0], &games[1]}, entries, OneAtATimeTeamOfAll(entries)));
    RunningProgram program = RunningProgram::Start(folder);
    HWND tray = WaitForTrayWindow(program.pid());
    ASSERT_TRUE(tray);
    HWND config = OpenConfigWindow(program.pid());
    ASSERT_TRUE(config);
    HWND choice = GetDlgItem(config, login_cnf_frm::GamesCmb);
    EXPECT_EQ(ComboItemsOf(choice), (std::vector<std::wstring>{L"Nächstes Spiel", L"Voriges Spiel", L"Alle minimieren",
                                                               L"Alle wiederherstellen", L"Alle schließen …"}));
    SendMessageW(choice, CB_SETCURSEL, 0, 0);
    SendMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::GamesCmb, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(choice));
    EXPECT_EQ(TextOf(GetDlgItem(config, login_cnf_frm::HotkeyFor)), L"für Nächstes Spiel");
    HWND field = GetDlgItem(config, login_cnf_frm::HotkeyTxt);
    SendMessageW(field, HKM_SETHOTKEY, MAKEWORD('N', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    SendMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::HotkeyTxt, EN_CHANGE), reinterpret_cast<LPARAM>(field));
    PressButton(config, login_cnf_frm::SaveCmd);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("[hotkeys]\r\nStrg+Alt+N=games:next\r\n"), std::string::npos)
        << folder.Read(L"Corvalink.dat");

    ASSERT_TRUE(PickTeam(program.pid(), 0, {2, 1}));
    for (const GameInstall& game : games) ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(30)));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));
    const HWND windows[] = {GameWindowOf(games[0]), GameWindowOf(games[1])};
    ASSERT_TRUE(PickInRunningGames(program.pid(), 0, {2, 1, false, 2}));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == windows[0]; }));
    PostMessageW(tray, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'N'));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == windows[1]; }));
}

// With "Spiele im Hintergrund mit niedrigerer Priorität" on, the game in front runs at normal
// priority and the others below, following the game in front; switched off in the menu, all run
// at normal again.
// Uses: keyboard_focus
TEST(Multibox, GamesBehindTheOneInFrontRunAtALowerPriority) {
    const GameInstall games[2] = {GameInstall("linger_ms=0\r\n"), GameInstall("linger_ms=0\r\n")};
    const std::vector<std::wstring> entries = {L"Aldwin,LYONESSE,Albion,acc1,C0", L"Bryn,LYONESSE,Albion,acc1,C1"};
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat",
                 Settings({&games[0], &games[1]}, entries, OneAtATimeTeamOfAll(entries, "background_priority=1\r\n")));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));
    ASSERT_TRUE(PickTeam(program.pid(), 0, {2, 1}));
    for (const GameInstall& game : games) ASSERT_TRUE(game.WaitFor("logged-in", std::chrono::seconds(30)));
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));
    const HWND windows[] = {GameWindowOf(games[0]), GameWindowOf(games[1])};
    const ShownTrayMenu menu{2, 1, false, 2};
    const auto priorityOf = [](HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        const DWORD priority = process ? GetPriorityClass(process) : 0;
        if (process) CloseHandle(process);
        return priority;
    };
    for (int front : {0, 1}) {
        ASSERT_TRUE(PickInRunningGames(program.pid(), static_cast<size_t>(front), menu));
        EXPECT_TRUE(WaitUntil([&] {
            return priorityOf(windows[front]) == NORMAL_PRIORITY_CLASS &&
                   priorityOf(windows[1 - front]) == BELOW_NORMAL_PRIORITY_CLASS;
        })) << "game "
            << front << " in front";
    }
    ASSERT_TRUE(PickTrayCommand(program.pid(), menu, tray_menu::popupmenue_games_background));
    EXPECT_TRUE(WaitUntil([&] {
        return priorityOf(windows[0]) == NORMAL_PRIORITY_CLASS && priorityOf(windows[1]) == NORMAL_PRIORITY_CLASS;
    }));
    EXPECT_EQ(folder.Read(L"Corvalink.dat").find("background_priority"), std::string::npos);
}

}  // namespace
