// The first-start wizard of the real program, walked as a new user would.
// Every test here uses: startup_folder
#include <gtest/gtest.h>

#include <shlobj.h>

#include "forms/config/login_cnf_frm.h"
#include "forms/config/server_frm.h"
#include "forms/info/helper_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/wizard_walk.h"

using namespace uia;

namespace {

constexpr wchar_t kWizardTitle[] = L"Corvalink :: Einrichtungsassistent";
using namespace wizard_frm;
constexpr int kHeading = Descr[0], kCancel = Cmds[0], kNext = Cmds[1], kBack = Cmds[2], kFolder = Cmds[3],
              kLogin = AccLoginTxt, kPassword = AccPWTxt, kCharName = CharNameTxt, kServer = ServerCmb,
              kRealm = ReichCmb, kClientDir = ClientPfadTxt, kClientName = ClientNameTxt, kWinStart = WinStartChk;
constexpr wchar_t kDefaultSettings[] =
    L"[server]\r\nDARTMOOR=198.51.100.12:10622\r\nLOGRES=198.51.100.8:10622\r\nSTONEHENGE=198.51.100.7:10622\r\n"
    L"LYONESSE=198.51.100.4:10622\r\n[tag]\r\nDARTMOOR=12\r\nLOGRES=8\r\nSTONEHENGE=7\r\nLYONESSE=4\r\n";

std::wstring StartupShortcut() {
    wchar_t path[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\Corvalink.lnk";
}

class Wizard : public ::testing::Test {
protected:
    ProgramFolder folder;
    std::optional<RunningProgram> program;
    HWND wizard = nullptr;
    testing_support::TempDir game;  // holds camelot.exe

    void SetUp() override {
        testing_support::WriteBytes(game / L"camelot.exe", "MZ");
        program.emplace(RunningProgram::Start(folder));
        wizard = WaitForWindow(program->pid(), L"#32770", kWizardTitle);
        ASSERT_TRUE(wizard);
    }
    HWND Control(int id) const { return GetDlgItem(wizard, id); }
    std::wstring Heading() const { return TextOf(Control(kHeading)); }
    void Click(int id) { PressButton(wizard, id); }
    // Next, expecting the error box with `message` (and the page to stay), or none.
    void NextExpecting(const std::wstring& message) {
        const std::wstring before = Heading();
        PressButton(wizard, kNext);
        HWND box = WaitForMessageBox(program->pid(), std::chrono::seconds(message.empty() ? 1 : 10));
        if (message.empty()) {
            EXPECT_FALSE(box) << Ansi(ReadMessageBox(box).text);
            if (box) PressButton(box, IDOK);
            return;
        }
        ASSERT_TRUE(box);
        MessageBoxInfo info = ReadMessageBox(box);
        EXPECT_EQ(info.text, message);
        EXPECT_EQ(info.title, L"Corvalink :: Fehler");
        PressButton(box, IDOK);
        WaitUntil([&] { return !IsWindow(box); });
        EXPECT_EQ(Heading(), before);
    }
    void Select(int comboId, int index) {
        SendMessageTimeoutW(Control(comboId), CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 2000,
                            nullptr);
    }
    void FillAllPages(bool windowsStart) {
        WizardInput input;
        input.clientDir = game.path();
        input.windowsStart = windowsStart;
        WalkWizardToTheFinalPage(wizard, input);
    }
    void PickFolder(const std::wstring* path) {
        PressButton(wizard, kFolder);
        HWND picker = WaitForWindow(program->pid(), L"#32770", L"Bitte DAoC-Ordner auswählen");
        ASSERT_TRUE(picker);
        if (path) {
            SetTextOf(GetDlgItem(picker, 0x480), *path);
            PressButton(picker, IDOK);
        } else {
            PressButton(picker, IDCANCEL);
        }
        WaitUntil([&] { return !IsWindow(picker); });
    }
};

TEST_F(Wizard, CancelOnTheIntroductionWritesNothing) {
    EXPECT_EQ(Heading(), L"Willkommen bei Corvalink");
    PressButton(wizard, kCancel);
    EXPECT_TRUE(program->WaitForExit());
    EXPECT_FALSE(folder.Has(L"Corvalink.dat"));
}

TEST_F(Wizard, CancelLaterLeavesExactlyTheServers) {
    Click(kNext);
    EXPECT_EQ(Heading(), L"Ihr Account");
    EXPECT_EQ(ComboItemsOf(Control(kServer)),
              (std::vector<std::wstring>{L"DARTMOOR (Adresse fehlt)", L"LOGRES (Adresse fehlt)",
                                         L"STONEHENGE (Adresse fehlt)", L"LYONESSE (Adresse fehlt)"}));
    PressButton(wizard, kCancel);
    AnswerMessageBox(program->pid(), IDYES);
    EXPECT_TRUE(program->WaitForExit());
    EXPECT_EQ(FromAnsiBytes(folder.Read(L"Corvalink.dat")), kDefaultSettings);
}

// Past the introduction, Escape, the close box and "Abbrechen" ask first: No keeps everything
// typed, Yes ends the program.
// Uses: keyboard_focus
TEST_F(Wizard, ClosingAsksFirstAndNoKeepsWhatWasTyped) {
    Click(kNext);
    SetTextOf(Control(kLogin), L"spieler");
    SetTextOf(Control(kPassword), L"geheim12");
    const std::function<void()> closes[] = {[&] { PressKey(wizard, VK_ESCAPE); },
                                            [&] { PostMessageW(wizard, WM_CLOSE, 0, 0); },
                                            [&] { PressButton(wizard, kCancel); }};
    for (const auto& close : closes) {
        close();
        EXPECT_EQ(AnswerMessageBox(program->pid(), IDNO).text,
                  L"Die Einrichtung beenden? Was Sie bisher eingegeben haben, geht dann verloren, und Corvalink wird "
                  L"beendet.");
        EXPECT_TRUE(program->Running());
        EXPECT_EQ(TextOf(Control(kLogin)), L"spieler");
        EXPECT_EQ(TextOf(Control(kPassword)), L"geheim12");
    }
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    AnswerMessageBox(program->pid(), IDYES);
    EXPECT_TRUE(program->WaitForExit());
}

// Uses: keyboard_focus
TEST_F(Wizard, EveryPageChecksItsFields) {
    Click(kNext);
    struct Account {
        const wchar_t *login, *password, *error;
    } accounts[] = {
        {L"ab", L"12345678", L"Der Loginname muss mindestens 3 Zeichen lang sein."},
        {L"abc", L"1234567", L"Das Passwort muss genau 8 Zeichen lang sein."},
        {L"abc", L"123456789", L"Das Passwort muss genau 8 Zeichen lang sein."},
    };
    for (const Account& a : accounts) {
        SetTextOf(Control(kLogin), a.login);
        SetTextOf(Control(kPassword), a.password);
        NextExpecting(a.error);
    }
    SetTextOf(Control(kPassword), L"12345678");
    NextExpecting(L"");
    EXPECT_EQ(Heading(), L"Ihr Charakter");

    SetTextOf(Control(kCharName), L"ab");
    NextExpecting(L"Der Charaktername muss mindestens 3 Zeichen lang sein.");
    SetTextOf(Control(kCharName), L"abc");
    NextExpecting(L"Bitte wählen Sie einen Server aus.");
    Select(kServer, 0);
    NextExpecting(L"Bitte wählen Sie ein Reich aus.");
    Select(kRealm, 2);
    // The chosen server's address is a placeholder: the server window asks for the real one,
    // and the page goes on only once it is there. Closed without one, or with the server
    // removed in it, the wizard says what is missing and stays.
    const struct {
        const wchar_t *server, *tag, *address;  // address: nullptr closes the window, L"" removes the server
        std::wstring message;
    } rounds[] = {
        {L"DARTMOOR", L"12", nullptr,
         L"Für den Server „DARTMOOR“ ist noch keine echte Adresse eingetragen, so kann sich der QuickLogin nicht "
         L"anmelden. Bitte tragen Sie die Adresse ein, die der Spielbetreiber auf seiner Website nennt: „Weiter“ "
         L"öffnet dafür das Server-Fenster, oder „..“ neben der Server-Liste."},
        {L"DARTMOOR", L"12", L"", L"Bitte wählen Sie einen Server aus."},
        {L"LOGRES", L"8", L"10.0.0.12", L""},
    };
    for (const auto& r : rounds) {
        SCOPED_TRACE(r.message);
        Select(kServer, 0);
        Click(kNext);
        HWND servers = WaitForWindow(program->pid(), L"#32770", L"Corvalink :: Server");
        ASSERT_TRUE(servers);
        EXPECT_EQ(TextOf(GetDlgItem(servers, server_frm::LgnTxt[0])), r.server);
        EXPECT_EQ(TextOf(GetDlgItem(servers, server_frm::LgnTxt[1])), L"");
        EXPECT_EQ(TextOf(GetDlgItem(servers, server_frm::LgnTxt[2])), L"10622");
        EXPECT_EQ(TextOf(GetDlgItem(servers, server_frm::LgnTxt[3])), r.tag);
        EXPECT_TRUE(WaitUntil([&] { return FocusIn(servers) == GetDlgItem(servers, server_frm::LgnTxt[1]); }));
        if (r.address && *r.address) {
            SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[1]), r.address);
            PressButton(servers, server_frm::AddCmd);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(servers); })) << "the window closes once the address is in";
            continue;
        }
        if (r.address) {
            PressButton(servers, server_frm::DelCmd);
            EXPECT_EQ(AnswerMessageBox(program->pid(), IDYES).text.rfind(L"Server „DARTMOOR“ wirklich entfernen?", 0),
                      0u);
        }
        ASSERT_TRUE(CloseAndWait(servers));
        MessageBoxInfo box = AnswerMessageBox(program->pid(), IDOK);
        EXPECT_EQ(box.text, r.message);
        EXPECT_EQ(Heading(), L"Ihr Charakter");
    }
    EXPECT_TRUE(WaitUntil([&] { return Heading() == L"Ihre DAoC-Installation"; }));
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("LOGRES=10.0.0.12:10622"), std::string::npos);
    EXPECT_EQ(folder.Read(L"Corvalink.dat").find("DARTMOOR"), std::string::npos);

    testing_support::TempDir empty;
    SetTextOf(Control(kClientDir), empty.path());
    NextExpecting(L"In diesem Ordner liegt keine camelot.exe. Bitte geben Sie den Ordner Ihrer DAoC-Installation an.");
    SetTextOf(Control(kClientDir), game.path());
    NextExpecting(L"Bitte geben Sie dem Client einen Namen.");

    // Back leads to the previous pages and to the introduction with its language choice.
    Click(kBack);
    EXPECT_EQ(Heading(), L"Ihr Charakter");
    Click(kBack);
    EXPECT_EQ(Heading(), L"Ihr Account");
    Click(kBack);
    EXPECT_EQ(Heading(), L"Willkommen bei Corvalink");
    EXPECT_TRUE(IsWindowVisible(Control(LangCmb)));
    EXPECT_FALSE(IsWindowEnabled(Control(kBack)));
    Click(kNext);
    EXPECT_EQ(TextOf(Control(kLogin)), L"abc") << "what was typed stays";
    Click(kNext);
    Click(kNext);
    SetTextOf(Control(kClientName), L"Main");
    NextExpecting(L"");
    EXPECT_EQ(Heading(), L"Fertig");
    EXPECT_FALSE(IsWindowVisible(Control(kCancel)));
    EXPECT_FALSE(IsWindowVisible(Control(kBack)));
    EXPECT_EQ(TextOf(Control(kNext)), L"Fertig stellen");
}

TEST_F(Wizard, TheFolderButtonGuessesTheClientName) {
    Click(kNext);
    SetTextOf(Control(kLogin), L"acc1");
    SetTextOf(Control(kPassword), L"secret12");
    Click(kNext);
    SetTextOf(Control(kCharName), L"Aldwin");
    Select(kServer, 0);
    Select(kRealm, 0);
    Click(kNext);

    struct Case {
        const wchar_t* folderName;
        const wchar_t* guess;
    } cases[] = {
        {L"DAoC", L"mine"}, {L"daoc cata", L"Catacombs"}, {L"Trials of ATLANTIS", L"ToA"},
        {L"mytoa", L"ToA"}, {L"Cata + Atlantis", L"ToA"},
    };
    for (const Case& c : cases) {
        testing_support::TempDir parent;
        const std::wstring path = parent / c.folderName;
        CreateDirectoryW(path.c_str(), nullptr);
        testing_support::WriteBytes(path + L"\\camelot.exe", "MZ");
        SetTextOf(Control(kClientName), L"mine");
        PickFolder(&path);
        EXPECT_EQ(TextOf(Control(kClientDir)), path);
        EXPECT_EQ(TextOf(Control(kClientName)), c.guess) << Ansi(c.folderName);
    }

    testing_support::TempDir notGame;
    PickFolder(&notGame.path());
    EXPECT_EQ(AnswerMessageBox(program->pid(), IDOK).text,
              L"Der Ordner „" + notGame.path() +
                  L"“ enthält keine camelot.exe. Bitte wählen Sie den Ordner Ihrer DAoC-Installation.");

    PickFolder(nullptr);  // cancelled: the folder field is emptied
    EXPECT_EQ(TextOf(Control(kClientDir)), L"");
}

TEST_F(Wizard, FinishWritesTheFirstConfigurationAndEntersTrayMode) {
    const StartupFolderGuard startupFolder;
    DeleteFileW(StartupShortcut().c_str());
    FillAllPages(false);
    Click(kNext);  // Finish

    HWND help = WaitForWindow(program->pid(), L"#32770", L"Corvalink :: Hilfe");
    ASSERT_TRUE(help);
    EXPECT_EQ(TextOf(GetDlgItem(help, helper_frm::Descr[0])), L"Corvalink ist bereit");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(help, helper_frm::HlpChk)));  // page 0 has no switch
    EXPECT_TRUE(WaitForTrayWindow(program->pid()));
    EXPECT_FALSE(FindWindowOf(program->pid(), L"#32770", kWizardTitle));
    EXPECT_EQ(GetFileAttributesW(StartupShortcut().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("[quicklogin]\r\n0="), std::string::npos);

    // The next start goes straight to tray mode.
    program->Kill();
    program.emplace(RunningProgram::Start(folder));
    EXPECT_TRUE(WaitForTrayWindow(program->pid()));
    EXPECT_FALSE(FindWindowOf(program->pid(), L"#32770", kWizardTitle));
}

TEST_F(Wizard, FinishWithTheBoxTickedCreatesTheShortcut) {
    const StartupFolderGuard startupFolder;
    DeleteFileW(StartupShortcut().c_str());
    FillAllPages(true);
    EXPECT_EQ(SendMessageW(Control(kWinStart), BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(kNext);
    EXPECT_TRUE(WaitForTrayWindow(program->pid()));
    EXPECT_NE(GetFileAttributesW(StartupShortcut().c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(StartupShortcut().c_str());
}

// With the protection by Windows switched on in the file, the wizard's password is stored
// protected too: the rule is the file's, whoever stores a password.
// Uses: game_windows
TEST(NewUser, TheWizardFollowsTheProtectionSwitch) {
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", "[options]\r\nprotect=1\r\n");
    testing_support::TempDir game;
    testing_support::WriteBytes(game / L"camelot.exe", "MZ");
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", kWizardTitle);
    ASSERT_TRUE(wizard);
    WizardInput input;
    input.clientDir = game.path();
    ASSERT_NO_FATAL_FAILURE(WalkWizardToTheFinalPage(wizard, input));
    PressButton(wizard, kNext);  // Finish
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));
    const std::string settings = folder.Read(L"Corvalink.dat");
    EXPECT_EQ(settings.find(AccountLine(L"acc1", L"secret12")), std::string::npos) << "stored scrambled";
    EXPECT_NE(settings.find(Ansi(CryptText(L"acc1", L"")) + "="), std::string::npos) << "no account stored";
}

// A new player's first hour, with the keyboard alone: the wizard with the shipped servers, the
// real address typed where the wizard asks for it, and the first QuickLogin logs in at once.
// Uses: game_windows, keyboard_focus
TEST(NewUser, FromTheWizardToALoggedInGame) {
    ProgramFolder folder;
    GameInstall game;
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", kWizardTitle);
    ASSERT_TRUE(wizard);
    const auto heading = [&] { return TextOf(GetDlgItem(wizard, kHeading)); };
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(wizard) == GetDlgItem(wizard, kNext); }));
    PressKey(wizard, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return heading() == L"Ihr Account"; }));
    TypeText(wizard, L"acc1");
    PressKey(wizard, VK_TAB);
    TypeText(wizard, L"secret12");
    PressKey(wizard, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return heading() == L"Ihr Charakter"; }))
        << Ansi(TextOf(GetDlgItem(wizard, kLogin))) << "|" << Ansi(TextOf(GetDlgItem(wizard, kPassword))) << "|"
        << Ansi(ReadMessageBox(WaitForMessageBox(program.pid(), 500ms)).text);
    TypeText(wizard, L"Aldwin");
    PressKey(wizard, VK_TAB);                               // the server list
    for (int i = 0; i < 4; ++i) PressKey(wizard, VK_DOWN);  // LYONESSE, its address a placeholder
    PressKey(wizard, VK_TAB);                               // ".."
    PressKey(wizard, VK_TAB);                               // the realm list
    PressKey(wizard, VK_DOWN);                              // Albion, the first realm
    PressKey(wizard, VK_RETURN);
    HWND servers = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Server");
    ASSERT_TRUE(servers) << "the wizard did not ask for the server's address";
    ASSERT_TRUE(WaitUntil([&] { return FocusIn(servers) == GetDlgItem(servers, server_frm::LgnTxt[1]); }));
    TypeText(servers, L"10.0.0.4");
    PressKey(servers, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return heading() == L"Ihre DAoC-Installation"; }));
    TypeText(wizard, game.path());
    PressKey(wizard, VK_TAB);  // ".."
    PressKey(wizard, VK_TAB);  // the client's name
    TypeText(wizard, L"Main");
    PressKey(wizard, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return heading() == L"Fertig"; }));
    PressKey(wizard, VK_SPACE);   // Windows-start off
    PressKey(wizard, VK_RETURN);  // Finish
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));

    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    const std::string userDat = game.Detail("user.dat");
    EXPECT_NE(userDat.find("entry0=Aldwin, LYONESSE, 10.0.0.4, 10622, 1, 4"), std::string::npos) << userDat;
    EXPECT_EQ(game.Detail("password"), "secret12");
    EXPECT_EQ(game.Detail("account"), "acc1");
}

}  // namespace
