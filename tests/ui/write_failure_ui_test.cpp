// Writes that fail (the settings file or the game's user.dat locked by another program) are
// reported, keep what the user entered, and are never taken for a success.
#include <gtest/gtest.h>

#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/game_double.h"

using namespace uia;

namespace {

constexpr wchar_t kWriteFailed[] = L"Die Einstellungsdatei konnte nicht geschrieben werden";

// Holds a file open without sharing, as another program might.
class FileLock {
public:
    explicit FileLock(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)) {}
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (held()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

std::wstring AnswerBox(DWORD pid) { return AnswerMessageBox(pid, IDOK).text; }

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.rfind(start, 0) == 0; }

// One QuickLogin into `game`.
std::string OneLoginSettings(const GameInstall& game) {
    return "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nMain=" + Ansi(game.path()) + "\r\n[server]\r\nLYONESSE=198.51.100.4:10622\r\n[quicklogin]\r\n" +
           QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main");
}

TEST(FailingWrites, AccountAndClientWindowsKeepWhatWasTyped) {
    struct Case {
        int button;
        const wchar_t* title;
    } cases[] = {{220, L"Corvalink :: Account hinzufügen"}, {221, L"Corvalink :: DAoC-Client hinzufügen"}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.Write(L"Corvalink.dat", "[quicklogin]\r\n" + QuickLoginLine(0, L"A,S,Albion,acc,Main"));
        RunningProgram program = RunningProgram::Start(folder);
        TrayMouse(WaitForTrayWindow(program.pid()), WM_LBUTTONDBLCLK);
        HWND config = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Konfiguration der QuickLogins");
        ASSERT_TRUE(config);
        PressButton(config, c.button);
        HWND window = WaitForWindow(program.pid(), L"#32770", c.title);
        ASSERT_TRUE(window);
        SetTextOf(GetDlgItem(window, 210), L"first");
        SetTextOf(GetDlgItem(window, 211), L"second12");
        FileLock lock(folder.Settings());
        ASSERT_TRUE(lock.held());
        PressButton(window, 230);
        EXPECT_TRUE(StartsWith(AnswerBox(program.pid()), kWriteFailed));
        EXPECT_EQ(TextOf(GetDlgItem(window, 210)), L"first");
        EXPECT_EQ(TextOf(GetDlgItem(window, 211)), L"second12");
        EXPECT_TRUE(ListBoxItemsOf(GetDlgItem(window, 240)).empty());
    }
}

TEST(FailingWrites, TheWizardStaysOnItsPage) {
    ProgramFolder folder;
    testing_support::TempDir game;
    testing_support::WriteBytes(game / L"camelot.exe", "MZ");
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Einrichtungsassistent");
    ASSERT_TRUE(wizard);
    PressButton(wizard, 101);
    SetTextOf(GetDlgItem(wizard, 202), L"acc1");
    SetTextOf(GetDlgItem(wizard, 204), L"secret12");
    PressButton(wizard, 101);
    SetTextOf(GetDlgItem(wizard, 302), L"Aldwin");
    SendMessageTimeoutW(GetDlgItem(wizard, 304), CB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    SendMessageTimeoutW(GetDlgItem(wizard, 306), CB_SETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    PressButton(wizard, 101);
    SetTextOf(GetDlgItem(wizard, 402), game.path());
    SetTextOf(GetDlgItem(wizard, 404), L"Main");
    PressButton(wizard, 101);
    SendMessageW(GetDlgItem(wizard, 501), BM_SETCHECK, BST_UNCHECKED, 0);

    const std::string before = folder.Read(L"Corvalink.dat");
    FileLock lock(folder.Settings());
    PressButton(wizard, 101);  // Finish
    EXPECT_TRUE(StartsWith(AnswerBox(program.pid()), kWriteFailed));
    EXPECT_EQ(TextOf(GetDlgItem(wizard, 11)), L"Fertig");
    EXPECT_TRUE(IsWindowVisible(wizard));
    EXPECT_FALSE(FindWindowOf(program.pid(), L"#32770", L"Corvalink"));
    lock.Release();
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), before);

    PressButton(wizard, 101);  // once the file is free, Finish works
    EXPECT_TRUE(WaitForTrayWindow(program.pid()));
}

}  // namespace

// Runs that write the game's user.dat take turns with the other logins.
TEST(LoginFailingWrites, ALockedUserDatStopsTheRunBeforeTheGameStarts) {
    ProgramFolder folder;
    GameInstall game;
    folder.Write(L"Corvalink.dat", OneLoginSettings(game));
    FileLock lock(game.File(L"user.dat"));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(PickTrayMenuItem(program.pid(), 4));
    EXPECT_EQ(AnswerBox(program.pid()),
              L"Die Datei „" + game.path() +
                  L"\\user.dat“ konnte nicht geschrieben werden; sie ist unverändert. Ein anderes Programm hält die "
                  L"Datei geöffnet. Läuft DAoC noch? Bitte prüfen Sie auch, ob der DAoC-Ordner beschreibbar ist.");
    Sleep(300);
    EXPECT_EQ(game.Count("start"), 0);
}

TEST(LoginFailingWrites, TheHelpSwitchThatCannotBeSavedKeepsTheWindow) {
    ProgramFolder folder;
    GameInstall game;
    folder.Write(L"Corvalink.dat", OneLoginSettings(game));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(PickTrayMenuItem(program.pid(), 4));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    HWND help = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        help = FindWindowOf(program.pid(), L"#32770", L"Corvalink :: Hilfe");
        return help && TextOf(GetDlgItem(help, 11)) == L"Hats geklappt?";
    }));
    SendMessageW(GetDlgItem(help, 100), BM_SETCHECK, BST_CHECKED, 0);
    FileLock lock(folder.Settings());
    PressButton(help, IDOK);
    EXPECT_TRUE(StartsWith(AnswerBox(program.pid()), L"Die Einstellung „Diese Hilfe nicht mehr anzeigen“ konnte"));
    EXPECT_TRUE(IsWindow(help));
    EXPECT_EQ(SendMessageW(GetDlgItem(help, 100), BM_GETCHECK, 0, 0), BST_CHECKED);
}
