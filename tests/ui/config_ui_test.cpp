// The configuration windows of the real program, opened from the tray and driven as a user
// would: selections, typing, buttons, questions.
// Every test here uses: startup_folder
#include <gtest/gtest.h>

#include <shlobj.h>

#include "forms/config/add_acc_frm.h"
#include "forms/config/add_client_frm.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/config/server_frm.h"
#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/started_program.h"

using namespace uia;

namespace {

constexpr wchar_t kConfigTitle[] = L"Corvalink :: Konfiguration der QuickLogins";
constexpr wchar_t kAccountTitle[] = L"Corvalink :: Account hinzufügen";
constexpr wchar_t kClientTitle[] = L"Corvalink :: DAoC-Client hinzufügen";
// Controls of the configuration window.
using namespace login_cnf_frm;
constexpr int kAccountCmb = LgnCmb[0], kServerCmb = LgnCmb[1], kRealmCmb = LgnCmb[2], kClientCmb = LgnCmb[3],
              kCharTxt = LgnTxt[0], kNewAccount = NewCmd[0], kNewClient = NewCmd[1], kAdd = AddCmd, kUp = ChgPosCmd[0],
              kDown = ChgPosCmd[1], kDelete = DelCmd, kList = ChrLstVw, kWinStart = WinStartChk, kSave = SaveCmd,
              kNewServer = NewCmd[2];
// Controls of the account and client windows (the same ids in both).
static_assert(add_acc_frm::LgnTxt[0] == add_client_frm::LgnTxt[0] && add_acc_frm::AddCmd == add_client_frm::AddCmd &&
              add_acc_frm::AccLst == add_client_frm::ClientLst);
constexpr int kFirstTxt = add_acc_frm::LgnTxt[0], kSecondTxt = add_acc_frm::LgnTxt[1], kSmallAdd = add_acc_frm::AddCmd,
              kSmallList = add_acc_frm::AccLst;

using Rows = std::vector<std::vector<std::wstring>>;

std::string Scrambled(const std::wstring& text) { return Ansi(CryptText(text, L"")); }

std::wstring StartupShortcut() {
    wchar_t path[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\Corvalink.lnk";
}
bool ShortcutExists() { return GetFileAttributesW(StartupShortcut().c_str()) != INVALID_FILE_ATTRIBUTES; }

class Config : public StartedProgram {
protected:
    HWND window = nullptr;

    void Open(const std::string& settings) {
        HWND tray = StartWith(settings);
        ASSERT_TRUE(tray);
        TrayMouse(tray, WM_LBUTTONDBLCLK);
        window = WaitForWindow(pid(), L"#32770", kConfigTitle);
        ASSERT_TRUE(window);
    }
    HWND Control(int id) const { return GetDlgItem(window, id); }
    Rows ListRows() const { return ListViewRowsOf(Control(kList), 5); }
    void Press(HWND dialog, int id) { PressButton(dialog, id); }
    // The next message box of the program: its text, answered with `button`.
    std::wstring Answer(int button) { return AnswerMessageBox(program->pid(), button).text; }
    void Save() {
        Press(window, kSave);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << "the window did not close on save";
    }
    std::wstring StoredEntry(int key) const {
        const std::string settings = folder.Read(L"Corvalink.dat");
        const std::string prefix = "\r\n" + std::to_string(key) + "=";
        const size_t at = settings.find(prefix);
        if (at == std::string::npos) return L"<missing>";
        const size_t start = at + prefix.size();
        return CryptText(FromAnsiBytes(settings.substr(start, settings.find("\r\n", start) - start)), L"");
    }
    HWND OpenSmallWindow(int button, const wchar_t* title) {
        PressButton(window, button);
        return WaitForWindow(program->pid(), L"#32770", title);
    }
};

std::string Entries(const std::vector<std::wstring>& texts) {
    std::string section = "[quicklogin]\r\n";
    for (size_t i = 0; i < texts.size(); ++i) section += QuickLoginLine(static_cast<int>(i), texts[i]);
    return section;
}

// A file with an account, a client and a server, so that new rows are complete.
std::string CompleteRows(const std::vector<std::wstring>& texts) {
    return "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") +
           "[clients]\r\nMain=C:\\x\r\n[server]\r\nS=10.0.0.1:10622\r\n" + Entries(texts);
}

// Uses: keyboard_focus
TEST_F(Config, EmptySettingsFileGivesEmptyListsAndAppendsWhatIsTyped) {
    Open("[quicklogin]\r\n0=x\r\n");  // tray mode, but no entry that unscrambles to anything useful
    folder.Write(L"Corvalink.dat", "");
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    TrayMouse(WaitForTrayWindow(program->pid()), WM_LBUTTONDBLCLK);
    window = WaitForWindow(program->pid(), L"#32770", kConfigTitle);
    ASSERT_TRUE(window);

    EXPECT_TRUE(ComboItemsOf(Control(kAccountCmb)).empty());
    EXPECT_TRUE(ComboItemsOf(Control(kServerCmb)).empty());
    EXPECT_TRUE(ComboItemsOf(Control(kClientCmb)).empty());
    EXPECT_EQ(ComboItemsOf(Control(kRealmCmb)), (std::vector<std::wstring>{L"Albion", L"Midgard", L"Hibernia"}));
    EXPECT_EQ(TextOf(Control(kRealmCmb)), L"Albion");
    EXPECT_TRUE(ListRows().empty());

    // A row without character or server could never log in: refused, with the focus on the field.
    Press(window, kAdd);
    EXPECT_EQ(Answer(IDOK), L"Bitte geben Sie den Namen des Charakters ein.");
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(window) == Control(kCharTxt); }));
    SetTextOf(Control(kCharTxt), L"Aldwin");
    Press(window, kAdd);
    EXPECT_EQ(Answer(IDOK), L"Bitte wählen Sie einen Server aus (neue Server über „..“ daneben).");
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(window) == Control(kServerCmb); }));
    EXPECT_TRUE(ListRows().empty());
}

// The Server box marks servers whose address is a placeholder, keeps its server when the
// server window changes the list, and the same inputs twice give two rows.
TEST_F(Config, TheServerBoxAlwaysHoldsAServer) {
    Open("[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nMain=C:\\x\r\n" +
         "[server]\r\nDARTMOOR=198.51.100.12:10622\r\nLYONESSE=10.0.0.7:10622\r\n" +
         Entries({L"A,LYONESSE,Albion,acc1,Main"}));
    EXPECT_EQ(ComboItemsOf(Control(kServerCmb)), (std::vector<std::wstring>{L"DARTMOOR (Adresse fehlt)", L"LYONESSE"}));
    EXPECT_EQ(TextOf(Control(kServerCmb)), L"LYONESSE") << "the first server with a real address is chosen";
    SendMessageW(Control(kServerCmb), CB_SETCURSEL, 0, 0);
    HWND servers = OpenSmallWindow(kNewServer, L"Corvalink :: Server");
    ASSERT_TRUE(servers);
    const std::wstring fields[] = {L"CAMLANN", L"10.0.0.9", L"10622", L"9"};
    for (int i = 0; i < 4; ++i) SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[i]), fields[i]);
    PressButton(servers, server_frm::AddCmd);
    EXPECT_TRUE(CloseAndWait(servers));
    EXPECT_EQ(ComboItemsOf(Control(kServerCmb)),
              (std::vector<std::wstring>{L"DARTMOOR (Adresse fehlt)", L"LYONESSE", L"CAMLANN"}));
    EXPECT_EQ(TextOf(Control(kServerCmb)), L"DARTMOOR (Adresse fehlt)");

    SetTextOf(Control(kCharTxt), L"Aldwin");
    Press(window, kAdd);
    Press(window, kAdd);
    EXPECT_EQ(ListRows().size(), 3u);
    EXPECT_EQ(ListRows()[2], ListRows()[1]);
    Save();
    EXPECT_EQ(StoredEntry(1), L"Aldwin,DARTMOOR,Albion,acc1,Main");
    EXPECT_EQ(StoredEntry(2), L"Aldwin,DARTMOOR,Albion,acc1,Main");
}

TEST_F(Config, RowsMoveAndAreSavedInTheirNewOrder) {
    Open(Entries({L"A,S,Albion,acc,Main", L"B,S,Albion,acc,Main", L"C,S,Albion,acc,Main,with comma"}) +
         QuickLoginLine(5, L"F,S,Albion,acc,Main"));
    ASSERT_EQ(ListRows().size(), 3u);
    EXPECT_EQ(ListRows()[2][4], L"Main,with comma");

    ListViewSelectIn(Control(kList), 1);  // B
    Press(window, kDown);                 // A, C, B
    Press(window, kDown);                 // at the bottom: nothing moves
    Press(window, kUp);                   // A, B, C
    Press(window, kUp);                   // B, A, C
    Press(window, kUp);                   // at the top: nothing moves
    EXPECT_EQ(ListRows()[0][2], L"B");
    EXPECT_EQ(ListRows()[1][2], L"A");
    Save();
    EXPECT_EQ(StoredEntry(0), L"B,S,Albion,acc,Main");
    EXPECT_EQ(StoredEntry(1), L"A,S,Albion,acc,Main");
    EXPECT_EQ(StoredEntry(2), L"C,S,Albion,acc,Main,with comma");  // written back unchanged
    EXPECT_EQ(StoredEntry(5), L"F,S,Albion,acc,Main");             // keys above the count stay
}

// Closing with unsaved changes asks first: Cancel keeps the window, No drops the changes.
TEST_F(Config, MovedRowsClosedUnsavedLeaveTheFileAlone) {
    Open(Entries({L"A,S,Albion,acc,Main", L"B,S,Albion,acc,Main"}));
    const std::string before = folder.Read(L"Corvalink.dat");
    ListViewSelectIn(Control(kList), 1);
    Press(window, kUp);
    EXPECT_EQ(ListRows()[0][2], L"B");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDCANCEL), L"Änderungen speichern?");
    EXPECT_TRUE(StaysTrue([&] { return IsWindow(window) != FALSE; }, 300ms));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDNO), L"Änderungen speichern?");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), before);
}

// Yes saves, as "Speichern" would; a window without changes closes without a question.
TEST_F(Config, ClosingWithChangesOffersToSaveThem) {
    Open(Entries({L"A,S,Albion,acc,Main", L"B,S,Albion,acc,Main"}));
    ListViewSelectIn(Control(kList), 1);
    Press(window, kUp);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(Answer(IDYES), L"Änderungen speichern?");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    EXPECT_EQ(StoredEntry(0), L"B,S,Albion,acc,Main");
    TrayMouse(WaitForTrayWindow(program->pid()), WM_LBUTTONDBLCLK);
    window = WaitForWindow(program->pid(), L"#32770", kConfigTitle);
    ASSERT_TRUE(window);
    EXPECT_TRUE(CloseAndWait(window));
}

TEST_F(Config, RemovedRowsDoNotComeBack) {
    Open(Entries({L"A,S,Albion,acc,Main", L"B,S,Midgard,acc,Main", L"C,S,Albion,acc,Main", L"Short,S"}) +
         QuickLoginLine(7, L"G,S,Albion,acc,Main"));
    EXPECT_EQ(ListRows()[3], (std::vector<std::wstring>{L"S", L"", L"Short", L"", L""}));  // missing fields empty

    ListViewSelectIn(Control(kList), 1);
    PressButton(window, kDelete);
    EXPECT_EQ(Answer(IDNO), L"QuickLogin „S/Midgard: B“ wirklich entfernen?");
    EXPECT_EQ(ListRows().size(), 4u);
    PressButton(window, kDelete);
    EXPECT_EQ(Answer(IDYES), L"QuickLogin „S/Midgard: B“ wirklich entfernen?");
    EXPECT_EQ(ListRows().size(), 3u);
    Save();
    EXPECT_EQ(StoredEntry(0), L"A,S,Albion,acc,Main");
    EXPECT_EQ(StoredEntry(1), L"C,S,Albion,acc,Main");
    EXPECT_EQ(StoredEntry(2), L"Short,S,,,");
    EXPECT_EQ(StoredEntry(3), L"<missing>");
    EXPECT_EQ(StoredEntry(7), L"G,S,Albion,acc,Main");  // never read (beyond the gap): never touched
}

TEST_F(Config, InputTheFileCannotHoldIsRefused) {
    Open(CompleteRows({L"A,S,Albion,acc1,Main"}));
    SetTextOf(Control(kCharTxt), L"Tom, der Zweite");
    PressButton(window, kAdd);
    EXPECT_EQ(Answer(IDOK),
              L"Der Charaktername darf kein Komma enthalten: Kommas trennen die Teile eines QuickLogins.");
    SetTextOf(Control(kCharTxt), std::wstring(300, L'x'));
    PressButton(window, kAdd);
    EXPECT_EQ(Answer(IDOK),
              L"Der QuickLogin kann so nicht gespeichert werden. Gespeichert wäre der Text länger als 255 Zeichen.");
    EXPECT_EQ(ListRows().size(), 1u);
}

TEST_F(Config, AccountsAreStoredOnceAndRemovedAfterAQuestion) {
    Open(Entries({L"A,S,Albion,acc1,Main"}));
    HWND accounts = OpenSmallWindow(kNewAccount, kAccountTitle);
    ASSERT_TRUE(accounts);
    EXPECT_FALSE(IsWindowEnabled(window));  // modal over the configuration window

    for (const wchar_t* password : {L"first111", L"second22"}) {
        SetTextOf(GetDlgItem(accounts, kFirstTxt), L"acc1");
        SetTextOf(GetDlgItem(accounts, kSecondTxt), password);
        Press(accounts, kSmallAdd);
    }
    SetTextOf(GetDlgItem(accounts, kFirstTxt), L"acc2");
    SetTextOf(GetDlgItem(accounts, kSecondTxt), L"other333");
    Press(accounts, kSmallAdd);
    EXPECT_EQ(TextOf(GetDlgItem(accounts, kFirstTxt)), L"");
    EXPECT_EQ(ListBoxItemsOf(GetDlgItem(accounts, kSmallList)), (std::vector<std::wstring>{L"acc1", L"acc2"}));
    EXPECT_EQ(ComboItemsOf(Control(kAccountCmb)), (std::vector<std::wstring>{L"acc1", L"acc2"}));
    const std::string settings = folder.Read(L"Corvalink.dat");
    EXPECT_EQ(settings.find(Scrambled(L"first111")), std::string::npos);
    EXPECT_NE(settings.find(Scrambled(L"acc1") + "=" + Scrambled(L"second22")), std::string::npos);

    // A right click asks about the account under the pointer, whichever is selected.
    HWND list = GetDlgItem(accounts, kSmallList);
    SendMessageTimeoutW(list, LB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    const int itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT overSecond{5, itemHeight + itemHeight / 2};
    ClientToScreen(list, &overSecond);
    PostMessageW(accounts, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(overSecond.x, overSecond.y));
    EXPECT_EQ(Answer(IDNO), L"Account \"acc2\" wirklich entfernen?");
    EXPECT_EQ(ListBoxItemsOf(list).size(), 2u);
    // "Entfernen" removes the selected account, naming the QuickLogins that use it first.
    SendMessageTimeoutW(list, LB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PressButton(accounts, add_acc_frm::DelCmd);
    EXPECT_EQ(Answer(IDYES),
              L"Account \"acc1\" wirklich entfernen?\r\n\r\nDiese QuickLogins verwenden ihn und lassen "
              L"sich danach nicht mehr starten:\r\nS/Albion: A");
    EXPECT_EQ(ListBoxItemsOf(list), std::vector<std::wstring>{L"acc2"});
    EXPECT_EQ(folder.Read(L"Corvalink.dat").find(Scrambled(L"acc1")), std::string::npos);
    EXPECT_EQ(StoredEntry(0), L"A,S,Albion,acc1,Main");  // QuickLogins naming it stay
    // A right click below the entries asks about nothing.
    POINT belowEntries{5, 4 * itemHeight};
    ClientToScreen(list, &belowEntries);
    PostMessageW(accounts, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(belowEntries.x, belowEntries.y));
    EXPECT_FALSE(WaitForMessageBox(program->pid(), 500ms));

    PostMessageW(accounts, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window); }));
}

TEST_F(Config, ACollidingLoginNameIsRefusedNamingTheOtherAccount) {
    // One-letter names whose scrambled bytes are 8E and 9E, a case pair (Ž / ž) in Windows-1252.
    const std::wstring first(1, static_cast<wchar_t>(0x8E ^ 0xFF)), second(1, static_cast<wchar_t>(0x9E ^ 0xFF));
    Open(Entries({L"A,S,Albion,acc,Main"}) + "[accounts]\r\n" + Scrambled(first) + "=" + Scrambled(L"pw") + "\r\n");
    HWND accounts = OpenSmallWindow(kNewAccount, kAccountTitle);
    ASSERT_TRUE(accounts);
    SetTextOf(GetDlgItem(accounts, kFirstTxt), second);
    SetTextOf(GetDlgItem(accounts, kSecondTxt), L"secret");
    PressButton(accounts, kSmallAdd);
    EXPECT_EQ(Answer(IDOK), L"Der Loginname „" + second + L"“ lässt sich nicht neben dem Account „" + first +
                                L"“ speichern: Die Einstellungsdatei könnte die beiden nicht unterscheiden, und das "
                                L"Passwort von „" +
                                first + L"“ ginge verloren.");
    EXPECT_EQ(TextOf(GetDlgItem(accounts, kFirstTxt)), second);  // what was typed stays
}

TEST_F(Config, AClientAddedIsOfferedAtOnce) {
    Open(Entries({L"A,S,Albion,acc,Main"}) + "[clients]\r\nMain=C:\\Games\\DAoC\r\n");
    HWND clients = OpenSmallWindow(kNewClient, kClientTitle);
    ASSERT_TRUE(clients);
    SetTextOf(GetDlgItem(clients, kFirstTxt), L"D:\\Spiele\\Catacombs");
    SetTextOf(GetDlgItem(clients, kSecondTxt), L"Cata");
    Press(clients, kSmallAdd);
    EXPECT_EQ(ListBoxItemsOf(GetDlgItem(clients, kSmallList)), (std::vector<std::wstring>{L"Main", L"Cata"}));
    EXPECT_EQ(ComboItemsOf(Control(kClientCmb)), (std::vector<std::wstring>{L"Main", L"Cata"}));
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("Cata=D:\\Spiele\\Catacombs"), std::string::npos);

    SetTextOf(GetDlgItem(clients, kFirstTxt), L"D:\\x");
    PressButton(clients, kSmallAdd);  // no short name
    EXPECT_EQ(Answer(IDOK), L"Bitte geben Sie dem Client eine Kurzbezeichnung.");
    EXPECT_EQ(TextOf(GetDlgItem(clients, kFirstTxt)), L"D:\\x");
}

// Servers added, replaced and removed through the server window; the configuration window's
// server list follows; what is not an address, port or tag is refused and nothing written.
TEST_F(Config, ServersAreEnteredInTheServerWindow) {
    Open(Entries({L"Aldwin,LYONESSE,Albion,acc,Main", L"Bryn,lyonesse,Midgard,acc,Main"}) +
         "[server]\r\nLYONESSE=198.51.100.4:10622\r\n[tag]\r\nLYONESSE=4\r\n");
    HWND servers = OpenSmallWindow(kNewServer, L"Corvalink :: Server");
    ASSERT_TRUE(servers);
    auto type = [&](const std::vector<std::wstring>& fields) {
        for (int i = 0; i < 4; ++i)
            SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[i]), fields[static_cast<size_t>(i)]);
    };
    auto rows = [&] { return ListViewRowsOf(GetDlgItem(servers, server_frm::ServerLstVw), 4); };
    // A placeholder address is shown as missing, as the server boxes show it.
    EXPECT_EQ(rows(), (Rows{{L"LYONESSE", L"(Adresse fehlt)", L"10622", L"4"}}));

    struct Refused {
        std::vector<std::wstring> fields;
        const wchar_t* message;  // how the message begins
    } refused[] = {
        {{L"AVALON", L"10.0.0.300", L"10622", L"9"}, L"„10.0.0.300“ ist keine Adresse"},
        {{L"AVALON", L"daoc..example", L"10622", L"9"}, L"„daoc..example“ ist keine Adresse"},
        {{L"AVALON", L"10.0.0.9", L"0", L"9"}, L"„0“ ist kein Port"},
        {{L"AVALON", L"10.0.0.9", L"70000", L"9"}, L"„70000“ ist kein Port"},
        {{L"AVALON", L"10.0.0.9", L"10622", L"x"}, L"„x“ ist kein Tag"},
        {{L"AVA,LON", L"10.0.0.9", L"10622", L"9"}, L"Der Servername darf kein Komma enthalten"},
    };
    const std::string before = folder.Read(L"Corvalink.dat");
    for (const Refused& r : refused) {
        type(r.fields);
        PressButton(servers, server_frm::AddCmd);
        const std::wstring text = Answer(IDOK);
        EXPECT_EQ(text.rfind(r.message, 0), 0u) << Ansi(text);
    }
    EXPECT_TRUE(folder.Read(L"Corvalink.dat") == before) << "a refused server was written";

    type({L"AVALON", L"daoc.example.org", L"10500", L"9"});  // added
    Press(servers, server_frm::AddCmd);
    type({L"LYONESSE", L"10.0.0.4", L"10622", L"4"});  // replaced
    Press(servers, server_frm::AddCmd);
    EXPECT_EQ(rows(),
              (Rows{{L"LYONESSE", L"10.0.0.4", L"10622", L"4"}, {L"AVALON", L"daoc.example.org", L"10500", L"9"}}));
    EXPECT_EQ(ComboItemsOf(Control(kServerCmb)), (std::vector<std::wstring>{L"LYONESSE", L"AVALON"}));
    const std::string stored = folder.Read(L"Corvalink.dat");
    EXPECT_NE(stored.find("LYONESSE=10.0.0.4:10622"), std::string::npos);
    EXPECT_NE(stored.find("AVALON=9"), std::string::npos);

    // Removing names the QuickLogins that use the server; No keeps it.
    ListViewSelectIn(GetDlgItem(servers, server_frm::ServerLstVw), 0);
    PressButton(servers, server_frm::DelCmd);
    const std::wstring question = Answer(IDNO);
    EXPECT_NE(question.find(L"LYONESSE/Albion: Aldwin"), std::wstring::npos) << Ansi(question);
    EXPECT_NE(question.find(L"lyonesse/Midgard: Bryn"), std::wstring::npos) << Ansi(question);
    ListViewSelectIn(GetDlgItem(servers, server_frm::ServerLstVw), 1);
    PressButton(servers, server_frm::DelCmd);
    EXPECT_EQ(Answer(IDYES), L"Server „AVALON“ wirklich entfernen?");
    EXPECT_TRUE(WaitUntil([&] { return rows().size() == 1; }));
    EXPECT_EQ(ComboItemsOf(Control(kServerCmb)), std::vector<std::wstring>{L"LYONESSE"});
    EXPECT_EQ(folder.Read(L"Corvalink.dat").find("AVALON"), std::string::npos);
}

TEST_F(Config, TheFolderPickerTakesOnlyGameFolders) {
    testing_support::TempDir game, notGame;
    testing_support::WriteBytes(game / L"camelot.exe", "MZ");
    Open(Entries({L"A,S,Albion,acc,Main"}));
    HWND clients = OpenSmallWindow(kNewClient, kClientTitle);
    ASSERT_TRUE(clients);
    constexpr int kDirSel = add_client_frm::DirSelCmd, kPickerPath = 0x480;  // the folder dialog's path box
    auto pick = [&](const std::wstring* path) {
        PressButton(clients, kDirSel);
        HWND picker = WaitForWindow(program->pid(), L"#32770", L"Bitte DAoC-Ordner auswählen");
        ASSERT_TRUE(picker);
        if (path) {
            SetTextOf(GetDlgItem(picker, kPickerPath), *path);
            PressButton(picker, IDOK);
        } else {
            PressButton(picker, IDCANCEL);
        }
        WaitUntil([&] { return !IsWindow(picker); });
    };
    pick(&game.path());
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(clients, kFirstTxt)) == game.path(); }));
    pick(&notGame.path());
    EXPECT_EQ(Answer(IDOK),
              L"Der angegebene Pfad \"" + notGame.path() + L"\" scheint kein gültiger DAoC-Ordner zu sein!");
    EXPECT_EQ(TextOf(GetDlgItem(clients, kFirstTxt)), game.path());
    pick(nullptr);  // cancelled: the field is emptied
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(clients, kFirstTxt)).empty(); }));
}

TEST_F(Config, ALockedSettingsFileIsReportedAndTheRowsStay) {
    Open(CompleteRows({L"A,S,Albion,acc1,Main"}));
    SetTextOf(Control(kCharTxt), L"Neu");
    Press(window, kAdd);
    HANDLE lock = CreateFileW(folder.Settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PressButton(window, kSave);
    const std::wstring message = Answer(IDOK);
    CloseHandle(lock);
    EXPECT_EQ(message.rfind(L"Die Einstellungsdatei konnte nicht geschrieben werden", 0), 0u) << Ansi(message);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(ListRows().size(), 2u);
    EXPECT_TRUE(IsWindowEnabled(Control(kSave)));
}

TEST_F(Config, SavingAppliesTheWindowsStartOption) {
    const StartupFolderGuard startupFolder;
    DeleteFileW(StartupShortcut().c_str());
    Open(Entries({L"A,S,Albion,acc,Main"}));
    EXPECT_EQ(SendMessageW(Control(kWinStart), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(Control(kWinStart), BM_SETCHECK, BST_CHECKED, 0);
    Save();
    EXPECT_TRUE(ShortcutExists());

    TrayMouse(WaitForTrayWindow(program->pid()), WM_LBUTTONDBLCLK);
    window = WaitForWindow(program->pid(), L"#32770", kConfigTitle);
    ASSERT_TRUE(window);
    EXPECT_EQ(SendMessageW(Control(kWinStart), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(Control(kWinStart), BM_SETCHECK, BST_UNCHECKED, 0);
    Save();
    EXPECT_FALSE(ShortcutExists());
}

}  // namespace

namespace {

TEST_F(Config, AShortcutThatCannotBeWrittenIsReported) {
    // A file where the Startup folder should be: no shortcut can be written into it.
    const StartupFolderGuard startupFolder;
    const std::wstring shortcut = StartupShortcut();
    const std::wstring startup = shortcut.substr(0, shortcut.find_last_of(L'\\'));
    const std::wstring aside = startup + L".aside";
    ASSERT_TRUE(MoveFileW(startup.c_str(), aside.c_str()));
    testing_support::WriteBytes(startup, "not a folder");

    Open(Entries({L"A,S,Albion,acc,Main"}));
    SendMessageW(Control(kWinStart), BM_SETCHECK, BST_CHECKED, 0);
    PressButton(window, kSave);
    const std::wstring message = Answer(IDOK);

    DeleteFileW(startup.c_str());
    MoveFileW(aside.c_str(), startup.c_str());
    EXPECT_EQ(message,
              L"Die QuickLogins sind gespeichert, aber die Verknüpfung im Autostart-Ordner von Windows "
              L"konnte nicht angelegt werden. Corvalink startet daher nicht mit Windows.");
    EXPECT_TRUE(IsWindow(window));  // still open, so the option can be changed
    EXPECT_EQ(StoredEntry(0), L"A,S,Albion,acc,Main");
}

}  // namespace

namespace {

// The keyboard never gets stuck: Tab follows the reading order (each ".." right after its
// list), Enter in the team's name box saves the team, and after a button the focus is on a
// sensible control.
// Uses: keyboard_focus
TEST_F(Config, TheKeyboardNeverGetsStuck) {
    Open("[server]\r\nS=10.0.0.1:10622\r\n" + Entries({L"A,S,Albion,acc,Main", L"B,S,Albion,acc,Main"}));
    FocusControl(window, Control(kAccountCmb));
    PressKey(window, VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(window) == Control(kNewAccount); })) << "Tab after the account list";
    PressKey(window, VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(window) == Control(kCharTxt); }));

    ASSERT_TRUE(ListViewCheckIn(Control(kList), 0, true));
    // Space ticks the row that has the focus.
    FocusControl(window, Control(kList));
    ListViewSelectIn(Control(kList), 1);
    PressKey(window, VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return ListViewTicked(Control(kList), 1); })) << "Space on a row";
    FocusControl(window, Control(login_cnf_frm::TeamTxt));
    SetTextOf(Control(login_cnf_frm::TeamTxt), L"Gruppe");
    PressKey(window, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] {
        return folder.Read(L"Corvalink.dat").find("[teams]\r\nGruppe=2") != std::string::npos;
    })) << "Enter in the team's name box saves the team";
    EXPECT_EQ(ListRows().size(), 2u) << "and adds no row";
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(window) == Control(login_cnf_frm::TeamTxt); }));

    // The server window's button: the focus goes back to the name box, for the next server.
    HWND servers = OpenSmallWindow(kNewServer, L"Corvalink :: Server");
    ASSERT_TRUE(servers);
    const std::wstring fields[] = {L"CAMLANN", L"10.0.0.9", L"10622", L"9"};
    for (int i = 0; i < 4; ++i) SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[i]), fields[i]);
    FocusControl(servers, GetDlgItem(servers, server_frm::AddCmd));
    PressKey(servers, VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(servers) == GetDlgItem(servers, server_frm::LgnTxt[0]); }));
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("CAMLANN=10.0.0.9:10622"), std::string::npos);
    PressKey(servers, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(servers); })) << "Escape closes the window";
}

}  // namespace

namespace {

// A row chosen in the list fills the fields; "Ändern" puts the fields' values back into it, and
// the saved teams that hold it follow. The saved teams are listed: choosing one ticks its
// members, and "Team entfernen" removes it.
TEST_F(Config, ARowIsChangedInPlaceAndItsTeamFollows) {
    const std::wstring a = L"Aldwin,S,Albion,acc1,Main", b = L"Bryn,S,Midgard,acc1,Main";
    Open("[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + AccountLine(L"acc2", L"secret34") +
         "[clients]\r\nMain=C:\\x\r\n[server]\r\nS=10.0.0.1:10622\r\n[teams]\r\nGruppe=2\r\n[team:Gruppe]\r\n" +
         QuickLoginLine(0, a) + QuickLoginLine(1, b) + Entries({a, b}));
    ListViewSelectIn(Control(kList), 1);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(kCharTxt)) == L"Bryn"; }));
    EXPECT_EQ(TextOf(Control(kRealmCmb)), L"Midgard");
    EXPECT_EQ(TextOf(Control(kAccountCmb)), L"acc1");
    ListViewSelectIn(Control(kList), 0);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(kCharTxt)) == L"Aldwin"; }));
    SendMessageW(Control(kAccountCmb), CB_SETCURSEL, 1, 0);  // acc2
    PressButton(window, login_cnf_frm::ChgCmd);
    EXPECT_EQ(ListRows()[0], (std::vector<std::wstring>{L"S", L"Albion", L"Aldwin", L"acc2", L"Main"}));
    EXPECT_EQ(ListRows().size(), 2u);
    Save();
    EXPECT_EQ(StoredEntry(0), L"Aldwin,S,Albion,acc2,Main");
    const std::string saved = folder.Read(L"Corvalink.dat");
    EXPECT_NE(saved.find("[team:Gruppe]\r\n" + QuickLoginLine(0, L"Aldwin,S,Albion,acc2,Main") + QuickLoginLine(1, b)),
              std::string::npos)
        << "the team follows its changed member";

    TrayMouse(WaitForTrayWindow(program->pid()), WM_LBUTTONDBLCLK);
    window = WaitForWindow(program->pid(), L"#32770", kConfigTitle);
    ASSERT_TRUE(window);
    HWND teams = Control(login_cnf_frm::TeamCmb);
    EXPECT_EQ(ComboItemsOf(teams), std::vector<std::wstring>{L"Gruppe"});
    SendMessageW(teams, CB_SETCURSEL, 0, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(login_cnf_frm::TeamCmb, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(teams));
    EXPECT_EQ(TextOf(Control(login_cnf_frm::TeamTxt)), L"Gruppe");
    EXPECT_TRUE(ListViewTicked(Control(kList), 0));
    EXPECT_TRUE(ListViewTicked(Control(kList), 1));
    PressButton(window, login_cnf_frm::TeamDelCmd);
    EXPECT_EQ(Answer(IDYES), L"Team „Gruppe“ wirklich entfernen?");
    EXPECT_TRUE(WaitUntil([&] { return folder.Read(L"Corvalink.dat").find("Gruppe") == std::string::npos; }));
    EXPECT_TRUE(ComboItemsOf(teams).empty());
    EXPECT_TRUE(CloseAndWait(window));
}

// A click on a row's Realm, Character, Account or Client cell chooses the row and ticks
// nothing; only a click on its tick box ticks it.
TEST_F(Config, AClickOnARowChoosesItOnlyItsBoxTicksIt) {
    Open(CompleteRows({L"Aldwin,S,Albion,acc1,Main", L"Bryn,S,Midgard,acc1,Main"}));
    HWND list = Control(kList);
    for (int column : {1, 2, 3, 4}) {
        const int row = column % 2;
        ListViewClickCell(list, row, column);
        EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), row) << column;
        EXPECT_EQ(TextOf(Control(kCharTxt)), row ? L"Bryn" : L"Aldwin") << column;
        EXPECT_FALSE(ListViewTicked(list, 0) || ListViewTicked(list, 1)) << column;
    }
    ASSERT_TRUE(ListViewCheckIn(list, 0, true));
    EXPECT_FALSE(ListViewTicked(list, 1));
}

// The account and client windows opened and closed leave their boxes' choice (an account just
// added is chosen), so a new row is complete; a row without an account is refused.
TEST_F(Config, ARowAlwaysHasAnAccountAndAClient) {
    Open(CompleteRows({L"Aldwin,S,Albion,acc1,Main"}));
    for (const auto& [button, title] : {std::pair{kNewAccount, kAccountTitle}, std::pair{kNewClient, kClientTitle}}) {
        HWND small = OpenSmallWindow(button, title);
        ASSERT_TRUE(small);
        EXPECT_TRUE(CloseAndWait(small));
    }
    EXPECT_EQ(TextOf(Control(kAccountCmb)), L"acc1");
    EXPECT_EQ(TextOf(Control(kClientCmb)), L"Main");
    SetTextOf(Control(kCharTxt), L"Bryn");
    Press(window, kAdd);
    EXPECT_EQ(ListRows().back(), (std::vector<std::wstring>{L"S", L"Albion", L"Bryn", L"acc1", L"Main"}));

    HWND accounts = OpenSmallWindow(kNewAccount, kAccountTitle);
    ASSERT_TRUE(accounts);
    SetTextOf(GetDlgItem(accounts, kFirstTxt), L"acc2");
    SetTextOf(GetDlgItem(accounts, kSecondTxt), L"secret34");
    Press(accounts, kSmallAdd);
    EXPECT_TRUE(CloseAndWait(accounts));
    EXPECT_EQ(TextOf(Control(kAccountCmb)), L"acc2");

    SendMessageW(Control(kAccountCmb), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Press(window, kAdd);
    EXPECT_EQ(Answer(IDOK), L"Bitte wählen Sie einen Account aus (neue Accounts über „..“ daneben).");
    EXPECT_TRUE(WaitUntil([&] { return FocusIn(window) == Control(kAccountCmb); }));
    EXPECT_EQ(ListRows().size(), 2u);
}

// A saved team stays chosen with its ticks; the hotkey field's label names what it speaks for
// after every change: the team, a row, the row changed, nothing once the row is gone.
TEST_F(Config, ASavedTeamStaysShownAndTheHotkeyLabelFollows) {
    Open(CompleteRows({L"Aldwin,S,Albion,acc1,Main", L"Bryn,S,Midgard,acc1,Main"}));
    HWND list = Control(kList);
    ASSERT_TRUE(ListViewCheckIn(list, 1, true));
    SetTextOf(Control(TeamTxt), L"Duo");
    Press(window, TeamCmd);
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("[teams]\r\nDuo=1"), std::string::npos);
    EXPECT_EQ(TextOf(Control(TeamCmb)), L"Duo");
    EXPECT_EQ(TextOf(Control(TeamTxt)), L"Duo");
    EXPECT_TRUE(ListViewTicked(list, 1));
    EXPECT_FALSE(ListViewTicked(list, 0));
    EXPECT_EQ(TextOf(Control(HotkeyFor)), L"für Team: Duo");

    ListViewSelectIn(list, 0);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(Control(HotkeyFor)) == L"für S/Albion: Aldwin"; }));
    SetTextOf(Control(kCharTxt), L"Aldo");
    Press(window, ChgCmd);
    EXPECT_EQ(TextOf(Control(HotkeyFor)), L"für S/Albion: Aldo");
    Press(window, kDelete);
    Answer(IDYES);
    EXPECT_EQ(TextOf(Control(HotkeyFor)), L"Zeile oder Team wählen");
}

// Alt with a letter in the hotkey field is a button's underlined letter (Alt+P saves), never a
// hotkey: only combinations with Ctrl are taken. Typed on the X server's keyboard.
// Uses: keyboard_focus
TEST_F(Config, AltWithALetterInTheHotkeyFieldIsNoHotkey) {
    if (GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no xdotool";
    Open(CompleteRows({L"Aldwin,S,Albion,acc1,Main"}));
    ListViewSelectIn(Control(kList), 0);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(Control(HotkeyFor)) == L"für S/Albion: Aldwin"; }));
    SetTextOf(Control(kCharTxt), L"Aldo");
    Press(window, ChgCmd);  // a change, so that the save writes
    FocusControl(window, Control(HotkeyTxt));
    ASSERT_TRUE(PressOnXKeyboard(window, L"alt+p"));  // "S&peichern"
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << "Alt+P did not save";
    EXPECT_EQ(StoredEntry(0), L"Aldo,S,Albion,acc1,Main");
    EXPECT_EQ(folder.Read(L"Corvalink.dat").find("[hotkeys]"), std::string::npos);
}

}  // namespace
