// A program folder and a game folder whose names the ANSI code page cannot spell (a Windows
// user named Łukasz is enough): the program starts, saves and logs in.
// Every test here uses: game_windows, startup_folder
#include <gtest/gtest.h>

#include "forms/config/add_client_frm.h"
#include "forms/config/login_cnf_frm.h"
#include "support/automation.h"
#include "support/game_double.h"

using namespace uia;

namespace {

constexpr wchar_t kClientTitle[] = L"Corvalink :: DAoC-Client hinzufügen";
constexpr int kNewClient = login_cnf_frm::NewCmd[1], kSave = login_cnf_frm::SaveCmd,
              kDirTxt = add_client_frm::LgnTxt[0], kNameTxt = add_client_frm::LgnTxt[1],
              kClientAdd = add_client_frm::AddCmd, kClientList = add_client_frm::ClientLst;

TEST(ForeignPaths, ProgramAndGameFoldersOutsideTheCodePageStartSaveAndLogIn) {
    ProgramFolder folder({}, L"", L"Łukasz Corvalink");
    GameInstall game("linger_ms=100\r\n", true, L"Gra Łódź");
    folder.Write(L"Corvalink.dat", "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") +
                                       "[server]\r\nLYONESSE=10.9.8.7:10622\r\n[help]\r\n1=0\r\n[quicklogin]\r\n" +
                                       QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    RunningProgram program = RunningProgram::Start(folder);
    HWND tray = WaitForTrayWindow(program.pid());
    ASSERT_TRUE(tray);

    // The game folder goes in through the client window: the file holds it by its short name.
    HWND config = OpenConfigWindow(program.pid());
    ASSERT_TRUE(config);
    PressButton(config, kNewClient);
    HWND clients = WaitForWindow(program.pid(), L"#32770", kClientTitle);
    ASSERT_TRUE(clients);
    SetTextOf(GetDlgItem(clients, kDirTxt), game.path());
    SetTextOf(GetDlgItem(clients, kNameTxt), L"Main");
    PressButton(clients, kClientAdd);
    EXPECT_FALSE(WaitForMessageBox(program.pid(), std::chrono::milliseconds(300)));
    EXPECT_EQ(ListBoxItemsOf(GetDlgItem(clients, kClientList)), std::vector<std::wstring>{L"Main"});
    CloseAndWait(clients);
    PressButton(config, kSave);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));
    EXPECT_EQ(folder.Backups().size(), 1u);

    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    EXPECT_EQ(game.Detail("password"), "secret12");
    EXPECT_NE(game.Detail("user.dat").find("entry0=Aldwin, LYONESSE, 10.9.8.7, 10622, 1"), std::string::npos);
}

}  // namespace
