// Plays the newcomer's path through for the demo on a machine without a display: the wizard,
// tray mode and a QuickLogin that logs into the demo game. Before each step's screenshot it
// writes "<name>" as a line to steps.txt in the handshake folder and waits until the runner
// has created "<name>.done" there. With "en" it chooses English on the wizard's first page.
//   demo_player.exe <program folder> <game folder> <handshake folder> [en]
#include <windows.h>

#include <cstdio>
#include <fstream>

#include "forms/config/login_cnf_frm.h"
#include "forms/config/server_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "tray/tray_menu.h"

using namespace uia;

namespace {

std::wstring g_handshake;

void Shot(const std::string& name) {
    {
        std::ofstream steps(std::wstring(g_handshake + L"\\steps.txt").c_str(), std::ios::app);
        steps << name << "\n";
    }
    const std::wstring done = g_handshake + L"\\" + std::wstring(name.begin(), name.end()) + L".done";
    WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, std::chrono::seconds(30));
}

void Pause() { Sleep(400); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    const std::wstring programDir = argv[1], gameDir = argv[2];
    g_handshake = argv[3];
    const bool english = argc > 4 && std::wstring(argv[4]) == L"en";
    const std::wstring serversTitle = english ? L"Corvalink :: Servers" : L"Corvalink :: Server",
                       helpTitle = english ? L"Corvalink :: Help" : L"Corvalink :: Hilfe",
                       configTitle = english ? L"Corvalink :: QuickLogin configuration"
                                             : L"Corvalink :: Konfiguration der QuickLogins";
    RunningProgram program = RunningProgram::StartExe(programDir + L"\\Corvalink.exe");
    HWND wizard = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Einrichtungsassistent");
    if (!wizard) return 1;
    auto control = [&](int id) { return GetDlgItem(wizard, id); };
    if (english) {
        SendMessageW(control(wizard_frm::LangCmb), CB_SETCURSEL, 1, 0);
        SendMessageW(wizard, WM_COMMAND, MAKEWPARAM(wizard_frm::LangCmb, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control(wizard_frm::LangCmb)));
    }
    Pause();
    Shot("01-wizard-welcome");
    PressButton(wizard, wizard_frm::Cmds[1]);
    SetTextOf(control(wizard_frm::AccLoginTxt), L"demo1");
    SetTextOf(control(wizard_frm::AccPWTxt), L"demodemo");
    Pause();
    Shot("02-wizard-account");
    PressButton(wizard, wizard_frm::Cmds[1]);
    SetTextOf(control(wizard_frm::CharNameTxt), L"Aldwin");
    SendMessageTimeoutW(control(wizard_frm::ServerCmb), CB_SETCURSEL, 3, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(control(wizard_frm::ReichCmb), CB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    Pause();
    Shot("04-wizard-character");
    // LYONESSE's address is still the placeholder: the wizard asks for the real one in the
    // server window, as it asks a player.
    PressButton(wizard, wizard_frm::Cmds[1]);
    if (HWND servers = WaitForWindow(program.pid(), L"#32770", serversTitle.c_str())) {
        SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[1]), L"127.0.0.1");
        Pause();
        Shot("03-server-window");
        PressButton(servers, server_frm::AddCmd);
        WaitUntil([&] { return !IsWindow(servers); });
    }
    SetTextOf(control(wizard_frm::ClientPfadTxt), gameDir);
    SetTextOf(control(wizard_frm::ClientNameTxt), L"Demo");
    Pause();
    Shot("05-wizard-client");
    PressButton(wizard, wizard_frm::Cmds[1]);
    SendMessageW(control(wizard_frm::WinStartChk), BM_SETCHECK, BST_UNCHECKED, 0);
    Pause();
    Shot("06-wizard-finish");
    PressButton(wizard, wizard_frm::Cmds[1]);
    HWND help = WaitForWindow(program.pid(), L"#32770", helpTitle.c_str());
    Pause();
    Shot("07-tray-mode-help");
    if (help) PressButton(help, IDOK);

    UseTrayMenu(program.pid(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
    Pause();
    Shot("08-tray-menu");
    HWND menu = nullptr;
    for (HWND w : WindowsOf(program.pid()))
        if (ClassOf(w) == L"#32768" && IsWindowVisible(w)) menu = w;
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);

    // The login runs: wait for the game double to report it.
    const std::wstring log = gameDir + L"\\double.log";
    WaitUntil([&] { return testing_support::ReadBytes(log).find("logged-in") != std::string::npos; },
              std::chrono::seconds(60));
    Sleep(800);
    Shot("09-logged-in");
    const bool single = testing_support::ReadBytes(log).find("logged-in") != std::string::npos;

    // A team: the QuickLogin ticked in the configuration window and saved under a name, then
    // chosen from the tray menu.
    if (HWND config = OpenConfigWindow(program.pid(), configTitle.c_str())) {
        (void)ListViewCheckIn(GetDlgItem(config, login_cnf_frm::ChrLstVw), 0, true);  // the team says if not
        SetTextOf(GetDlgItem(config, login_cnf_frm::TeamTxt), english ? L"Evening" : L"Abend");
        Pause();
        Shot("10-configuration-team");
        PressButton(config, login_cnf_frm::TeamCmd);
        CloseAndWait(config);
    }
    auto loggedIn = [&] {
        const std::string text = testing_support::ReadBytes(log);
        int n = 0;
        for (size_t at = text.find("logged-in"); at != std::string::npos; at = text.find("logged-in", at + 1)) ++n;
        return n;
    };
    PickTeam(program.pid(), 0, {1, 1});  // "Team: Abend" ("Team: Evening"), below the QuickLogin
    // The first login's game still runs: Corvalink asks before starting another.
    AnswerMessageBox(program.pid(), IDYES, std::chrono::seconds(5));
    WaitUntil([&] { return loggedIn() >= 2; }, std::chrono::seconds(60));
    Sleep(800);
    Shot("11-team-logged-in");

    // "Laufende Spiele" with the two games and the commands for all of them.
    if (HWND finalHelp = WaitForWindow(program.pid(), L"#32770", helpTitle.c_str(), std::chrono::seconds(2)))
        PressButton(finalHelp, IDOK);
    UseTrayMenu(program.pid(), TrayMenuKeys({1, 1, false, 2}, tray_menu::popupmenue_games_next));
    Pause();
    Shot("12-running-games");
    for (HWND w : WindowsOf(program.pid()))
        if (ClassOf(w) == L"#32768" && IsWindowVisible(w)) PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
    std::printf("%s\n", single && loggedIn() >= 2 ? "logged in, alone and as a team" : "failed");
    return 0;
}
