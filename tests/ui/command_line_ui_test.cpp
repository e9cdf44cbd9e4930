// Every test here uses: game_windows
// Corvalink driven from outside: a command line logs a QuickLogin or a team in, brings a game to
// the front or opens the configuration window, whether Corvalink runs already (a second start
// hands the command over and ends at once) or not; what it cannot do it names, with code 2.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/handles.h"
#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/started_program.h"

using namespace uia;
using namespace std::chrono_literals;

namespace {

constexpr wchar_t kConfigTitle[] = L"Corvalink :: Konfiguration der QuickLogins";

class CommandLine : public StartedProgram {
protected:
    GameInstall first{"linger_ms=0\r\n"}, second{"linger_ms=0\r\n"};

    // Aldwin on the first installation, Bryn on the second, twice "Twin", and the team "Abend"
    // of Aldwin and Bryn.
    std::string Settings() const {
        const std::wstring a = L"Aldwin,LYONESSE,Albion,acc1,C0", b = L"Bryn,LYONESSE,Albion,acc1,C1";
        return "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nC0=" + Ansi(first.path()) +
               "\r\nC1=" + Ansi(second.path()) +
               "\r\n[server]\r\nLYONESSE=10.0.0.7:10622\r\n[tag]\r\nLYONESSE=4\r\n[help]\r\n1=0\r\n"
               "[options]\r\nstart_spacing=0\r\n[quicklogin]\r\n" +
               QuickLoginLine(0, a) + QuickLoginLine(1, b) + QuickLoginLine(2, L"Twin,LYONESSE,Albion,acc1,C0") +
               QuickLoginLine(3, L"Twin,LYONESSE,Albion,acc1,C1") + "[teams]\r\nAbend=2\r\n[team:Abend]\r\n" +
               QuickLoginLine(0, a) + QuickLoginLine(1, b);
    }
    // A second start with the arguments; its exit code once it ended.
    std::optional<DWORD> Second(const std::wstring& arguments) {
        RunningProgram start = RunningProgram::Start(folder, arguments);
        return start.WaitForExit(3s);
    }
};

// With Corvalink running, each command is handed over: the second start ends at once with 0, and
// the running Corvalink carries it out.
// Uses: keyboard_focus
TEST_F(CommandLine, ASecondStartHandsEachCommandToTheRunningCorvalink) {
    ASSERT_TRUE(StartWith(Settings()));
    EXPECT_EQ(Second(L"/login \"LYONESSE/Albion: Aldwin\""), 0u);
    ASSERT_TRUE(first.WaitFor("logged-in"));
    EXPECT_EQ(first.Detail("account"), "acc1");
    ASSERT_TRUE(TrayTipBecomes(L"Corvalink"));

    // The game to the front, from behind a window of the test.
    HWND game = nullptr;
    for (const GameInstall::Event& e : first.Log())
        if (e.name == "game-window") game = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(e.detail)));
    ShowWindow(game, SW_MINIMIZE);
    EXPECT_EQ(Second(L"-FRONT \"lyonesse/albion: aldwin\""), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(game) && GetForegroundWindow() == game; }));

    EXPECT_EQ(Second(L"/config"), 0u);
    HWND config = WaitForWindow(pid(), L"#32770", kConfigTitle);
    ASSERT_TRUE(config);
    CloseAndWait(config);

    // A team: Bryn logs in (Aldwin runs, so Corvalink asks about a running game once).
    EXPECT_EQ(Second(L"/team Abend"), 0u);
    EXPECT_EQ(AnswerMessageBox(pid(), IDYES).text, L"DAoC läuft bereits, trotzdem fortfahren?");
    EXPECT_TRUE(second.WaitFor("logged-in"));
    EXPECT_TRUE(first.WaitFor("logged-in", 20s, 2));
}

// Without a Corvalink running, the start goes into the tray as usual and then carries it out.
TEST_F(CommandLine, WithoutARunningCorvalinkTheStartCarriesItOut) {
    folder.Write(L"Corvalink.dat", Settings());
    program.emplace(RunningProgram::Start(folder, L"/login \"LYONESSE/Albion: Bryn\""));
    ASSERT_TRUE(WaitForTrayWindow(pid()));
    EXPECT_TRUE(second.WaitFor("logged-in"));
    EXPECT_EQ(first.Count("start"), 0);
    program.reset();

    program.emplace(RunningProgram::Start(folder, L"/config"));
    EXPECT_TRUE(WaitForWindow(pid(), L"#32770", kConfigTitle));
    program.reset();

    program.emplace(RunningProgram::Start(folder, L"/team abend"));
    EXPECT_TRUE(first.WaitFor("logged-in"));
    EXPECT_TRUE(second.WaitFor("logged-in", 20s, 2));
    program.reset();

    // The front of a game that this new Corvalink did not log in: it says the game does not run.
    program.emplace(RunningProgram::Start(folder, L"/front \"LYONESSE/Albion: Aldwin\""));
    EXPECT_EQ(AnswerMessageBox(pid(), IDOK).text, L"„LYONESSE/Albion: Aldwin“ läuft gerade nicht.");
}

// What a command line cannot name is named, with code 2 and nothing started anywhere: with a
// Corvalink running as well as without.
TEST_F(CommandLine, WhatItCannotNameIsNamedWithCode2) {
    folder.Write(L"Corvalink.dat", Settings());
    const struct {
        const wchar_t* arguments;
        const wchar_t* message;
    } cases[] = {
        {L"/login \"LYONESSE/Albion: Nobody\"", L"Es gibt keinen QuickLogin „LYONESSE/Albion: Nobody“"},
        {L"/login \"LYONESSE/Albion: Twin\"", L"Mehrere QuickLogins heißen „LYONESSE/Albion: Twin“"},
        {L"/team Morgen", L"Es gibt kein Team „Morgen“"},
        {L"/launch x", L"Corvalink kennt „/launch“ nicht"},
    };
    for (bool running : {false, true}) {
        if (running) {
            ASSERT_TRUE(StartWith(Settings()));
        }
        for (const auto& c : cases) {
            SCOPED_TRACE(Ansi(c.arguments));
            RunningProgram start = RunningProgram::Start(folder, c.arguments);
            const MessageBoxInfo box = AnswerMessageBox(start.pid(), IDOK);
            EXPECT_EQ(box.text.rfind(c.message, 0), 0u) << Ansi(box.text);
            EXPECT_EQ(start.WaitForExit(), 2u);
        }
    }
    Sleep(300);
    EXPECT_EQ(first.Count("start") + second.Count("start"), 0);
}

struct Link {
    std::wstring target, arguments, icon;
    int iconIndex = -1;
};

// A shell link as the shell reads it.
Link ReadLink(const std::wstring& file) {
    Link link;
    base::ComPtr<IShellLinkW> shell;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(shell.put()))))
        return link;
    base::ComPtr<IPersistFile> persist;
    if (FAILED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.put()))) ||
        FAILED(persist->Load(file.c_str(), STGM_READ)))
        return link;
    wchar_t text[MAX_PATH * 2] = {};
    if (SUCCEEDED(shell->GetPath(text, MAX_PATH * 2, nullptr, 0))) link.target = text;
    if (SUCCEEDED(shell->GetArguments(text, MAX_PATH * 2))) link.arguments = text;
    if (SUCCEEDED(shell->GetIconLocation(text, MAX_PATH * 2, &link.iconIndex))) link.icon = text;
    return link;
}

// "Verknüpfung erstellen" puts a shortcut for the chosen row on the desktop (a second one under
// a free name), and one for a team; started, the shortcut logs its QuickLogin in.
TEST_F(CommandLine, AShortcutFromTheConfigurationWindowLogsItsQuickLoginIn) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(StartWith(Settings()));
    HWND config = OpenConfigWindow(pid());
    ASSERT_TRUE(config);
    wchar_t desktopPath[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktopPath)));
    const std::wstring desktop = desktopPath;
    const std::wstring links[] = {desktop + L"\\LYONESSE-Albion Bryn.lnk", desktop + L"\\LYONESSE-Albion Bryn (2).lnk",
                                  desktop + L"\\Team Abend.lnk"};
    for (const std::wstring& link : links) DeleteFileW(link.c_str());

    ListViewSelectIn(GetDlgItem(config, login_cnf_frm::ChrLstVw), 1);
    for (int round = 0; round < 2; ++round) {
        PressButton(config, login_cnf_frm::ShortcutCmd);
        const MessageBoxInfo made = AnswerMessageBox(pid(), IDOK);
        EXPECT_NE(made.text.find(links[round]), std::wstring::npos) << Ansi(made.text);
    }
    const Link link = ReadLink(links[0]);
    EXPECT_EQ(link.target, folder.Exe());
    EXPECT_EQ(link.arguments, L"/login \"LYONESSE/Albion: Bryn\"");
    EXPECT_EQ(link.icon, folder.Exe());
    EXPECT_EQ(link.iconIndex, 0);

    SendMessageW(GetDlgItem(config, login_cnf_frm::TeamCmb), CB_SETCURSEL, 0, 0);
    SendMessageW(config, WM_COMMAND, MAKEWPARAM(login_cnf_frm::TeamCmb, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(config, login_cnf_frm::TeamCmb)));
    PressButton(config, login_cnf_frm::ShortcutCmd);
    AnswerMessageBox(pid(), IDOK);
    EXPECT_EQ(ReadLink(links[2]).arguments, L"/team \"Abend\"");
    CloseAndWait(config);

    // Started as the shell starts it: the running Corvalink logs Bryn in.
    RunningProgram started = RunningProgram::StartExe(link.target, link.arguments);
    EXPECT_EQ(started.WaitForExit(3s), 0u);
    EXPECT_TRUE(second.WaitFor("logged-in"));
    for (const std::wstring& file : links) DeleteFileW(file.c_str());
}

}  // namespace
