// What a player types reaches the settings file and the game exactly, or is refused with a
// message that names the reason, and nothing is written. Values go in through the account
// window, the QuickLogin window and the wizard, and out through a login to the game double.
// Every test here uses: game_windows, startup_folder
// Every test here takes long
#include <gtest/gtest.h>

#include <memory>

#include "forms/config/add_acc_frm.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "store/storable.h"
#include "support/automation.h"
#include "support/game_double.h"

using namespace uia;

namespace {

constexpr wchar_t kAccountTitle[] = L"Corvalink :: Account hinzufügen";
constexpr wchar_t kWizardTitle[] = L"Corvalink :: Einrichtungsassistent";
constexpr int kCharTxt = login_cnf_frm::LgnTxt[0], kNewAccount = login_cnf_frm::NewCmd[0],
              kConfigAdd = login_cnf_frm::AddCmd, kConfigList = login_cnf_frm::ChrLstVw;
constexpr int kLoginTxt = add_acc_frm::LgnTxt[0], kPasswordTxt = add_acc_frm::LgnTxt[1],
              kAccountAdd = add_acc_frm::AddCmd;
constexpr int kNext = wizard_frm::Cmds[1], kWizLogin = wizard_frm::AccLoginTxt, kWizPassword = wizard_frm::AccPWTxt,
              kWizChar = wizard_frm::CharNameTxt, kWizServer = wizard_frm::ServerCmb, kWizRealm = wizard_frm::ReichCmb,
              kWizClientDir = wizard_frm::ClientPfadTxt, kWizClientName = wizard_frm::ClientNameTxt,
              kWizWinStart = wizard_frm::WinStartChk;

struct Typed {
    std::wstring login, password;
    wchar_t refusedFor = 0;  // the character a refusal names; 0: accepted
};

// Bytes that reading strips from either end of a value, from the rule's own sweep.
std::vector<unsigned char> StrippedBytes() {
    std::vector<unsigned char> bytes;
    for (int b = 1; b < 256; ++b)
        if (CheckStoredBytes(std::string("ab") + static_cast<char>(b), false) == StoreProblem::kOuterBlank)
            bytes.push_back(static_cast<unsigned char>(b));
    return bytes;
}

// A letter of the code page whose scrambled byte at `position` is `b`, or 0.
wchar_t LetterScrambledTo(unsigned char b, int position) {
    const unsigned c = b ^ 0xFFu ^ static_cast<unsigned>(position);
    return c >= 0xC0 && c != 0xD7 && c != 0xF7 ? static_cast<wchar_t>(c) : 0;
}

std::vector<Typed> TypedCases() {
    std::vector<Typed> cases = {{L"acc1", L"secret12"},
                                {L"Kjellö", L"Tagesmenü"},
                                {L"Åsa", L"Corazónó"},
                                {L"Łukasz", L"x", L'Ł'},
                                {L"acc9", L"hasło12€", L'ł'}};
    // Texts whose classic scrambled form ends, or begins, in each stripped byte.
    const std::vector<unsigned char> stripped = StrippedBytes();
    EXPECT_FALSE(stripped.empty());
    for (unsigned char b : stripped) {
        for (int position = 7; position < 16; ++position)
            if (wchar_t c = LetterScrambledTo(b, position)) {
                cases.push_back({L"end" + std::to_wstring(b), std::wstring(position, L'p') + c});
                break;
            }
        if (wchar_t c = LetterScrambledTo(b, 0))
            cases.push_back({std::wstring(1, c) + L"sa", L"start" + std::to_wstring(b)});
    }
    return cases;
}

std::wstring Answer(DWORD pid) { return AnswerMessageBox(pid, IDOK).text; }

bool Names(const std::wstring& text, wchar_t c) {
    return text.find(L"„" + std::wstring(1, c) + L"“") != std::wstring::npos;
}

TEST(Typed, AccountAndQuickLoginWindowValuesReachTheGameExactlyOrAreRefused) {
    const std::vector<Typed> cases = TypedCases();
    ProgramFolder folder;
    std::vector<std::unique_ptr<GameInstall>> games;
    std::string clients = "[clients]\r\n", entries = "[quicklogin]\r\n";
    int accepted = 0;
    for (const Typed& c : cases) {
        if (c.refusedFor) continue;
        games.push_back(std::make_unique<GameInstall>("linger_ms=100\r\n"));
        clients += "Main" + std::to_string(accepted) + "=" + Ansi(games.back()->path()) + "\r\n";
        entries += QuickLoginLine(accepted, L"Björn,LYONESSE,Albion," + c.login + L",Main" + std::to_wstring(accepted));
        ++accepted;
    }
    folder.Write(L"Corvalink.dat", clients + "[server]\r\nLYONESSE=10.9.8.7:10622\r\n[help]\r\n1=0\r\n" + entries);
    RunningProgram program = RunningProgram::Start(folder);
    HWND config = OpenConfigWindow(program.pid());
    ASSERT_TRUE(config);

    PressButton(config, kNewAccount);
    HWND accounts = WaitForWindow(program.pid(), L"#32770", kAccountTitle);
    ASSERT_TRUE(accounts);
    for (const Typed& c : cases) {
        SCOPED_TRACE(Ansi(c.login) + " / " + Ansi(c.password));
        const std::string before = folder.Read(L"Corvalink.dat");
        SetTextOf(GetDlgItem(accounts, kLoginTxt), c.login);
        SetTextOf(GetDlgItem(accounts, kPasswordTxt), c.password);
        PressButton(accounts, kAccountAdd);
        if (c.refusedFor) {
            EXPECT_TRUE(Names(Answer(program.pid()), c.refusedFor));
            EXPECT_EQ(folder.Read(L"Corvalink.dat"), before);
            EXPECT_EQ(TextOf(GetDlgItem(accounts, kLoginTxt)), c.login);  // the window keeps what was typed
        } else {
            EXPECT_FALSE(WaitForMessageBox(program.pid(), std::chrono::milliseconds(300)));
            EXPECT_EQ(TextOf(GetDlgItem(accounts, kLoginTxt)), L"");
        }
    }
    CloseAndWait(accounts);

    // The QuickLogin window names a character it cannot keep and adds no row.
    const size_t rows = ListViewRowsOf(GetDlgItem(config, kConfigList), 5).size();
    SetTextOf(GetDlgItem(config, kCharTxt), L"Łucja");
    PressButton(config, kConfigAdd);
    EXPECT_TRUE(Names(Answer(program.pid()), L'Ł'));
    EXPECT_EQ(ListViewRowsOf(GetDlgItem(config, kConfigList), 5).size(), rows);
    CloseAndWait(config);

    int index = 0;
    for (const Typed& c : cases) {
        if (c.refusedFor) continue;
        SCOPED_TRACE(Ansi(c.login) + " / " + Ansi(c.password));
        const GameInstall& game = *games[static_cast<size_t>(index)];
        ASSERT_TRUE(PickQuickLogin(program.pid(), static_cast<size_t>(index)));
        ASSERT_TRUE(game.WaitFor("logged-in"));
        EXPECT_EQ(game.Detail("password"), ToUtf8(c.password));
        EXPECT_EQ(game.Detail("account"), ToUtf8(c.login));
        ASSERT_TRUE(game.WaitFor("end"));  // the next game's windows carry the same titles
        ++index;
    }
}

TEST(Typed, WizardValuesReachTheGameExactlyOrAreRefused) {
    ProgramFolder folder;
    GameInstall game("linger_ms=100\r\n");
    // The player's own address of a server stays as it is.
    folder.Write(L"Corvalink.dat", "[server]\r\nLYONESSE=10.9.8.7:10622\r\n[help]\r\n1=0\r\n");
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", kWizardTitle);
    ASSERT_TRUE(wizard);
    auto control = [&](int id) { return GetDlgItem(wizard, id); };
    PressButton(wizard, kNext);
    // A password of 8 whose classic scrambled form ends in a byte that reading strips.
    const wchar_t last = LetterScrambledTo(0x0B, 7);
    ASSERT_TRUE(last);
    const std::wstring password = std::wstring(L"Passwör") + last;
    SetTextOf(control(kWizLogin), L"Łukasz");
    SetTextOf(control(kWizPassword), password);
    PressButton(wizard, kNext);
    EXPECT_TRUE(Names(Answer(program.pid()), L'Ł'));
    SetTextOf(control(kWizLogin), L"Kjellö");
    PressButton(wizard, kNext);
    SetTextOf(control(kWizChar), L"Björn");
    const std::vector<std::wstring> servers = ComboItemsOf(control(kWizServer));
    const auto lyonesse = std::find(servers.begin(), servers.end(), L"LYONESSE");
    ASSERT_NE(lyonesse, servers.end());
    SendMessageTimeoutW(control(kWizServer), CB_SETCURSEL, static_cast<WPARAM>(lyonesse - servers.begin()), 0,
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(control(kWizRealm), CB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PressButton(wizard, kNext);
    SetTextOf(control(kWizClientDir), game.path());
    SetTextOf(control(kWizClientName), L"Main");
    PressButton(wizard, kNext);
    SendMessageW(control(kWizWinStart), BM_SETCHECK, BST_UNCHECKED, 0);
    PressButton(wizard, kNext);
    ASSERT_TRUE(WaitForTrayWindow(program.pid()));
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("LYONESSE=10.9.8.7:10622"), std::string::npos);

    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    EXPECT_EQ(game.Detail("password"), ToUtf8(password));
    EXPECT_EQ(game.Detail("account"), ToUtf8(L"Kjellö"));
    EXPECT_NE(game.Detail("user.dat").find(ToUtf8(L"entry0=Björn, LYONESSE, 10.9.8.7, 10622, 1, 4")),
              std::string::npos);
}

}  // namespace
