// Writes that fail (the settings file or the game's user.dat locked by another program) are
// reported, keep what the user entered, and are never taken for a success.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

#include "base/handles.h"
#include "forms/config/add_acc_frm.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/info/helper_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/wizard_walk.h"

using namespace uia;

namespace {

constexpr wchar_t kWriteFailed[] = L"Die Einstellungsdatei konnte nicht geschrieben werden";

// Holds a file open without sharing, as another program might.
class FileLock {
public:
    explicit FileLock(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr)) {}
    bool held() const { return static_cast<bool>(handle_); }
    void Release() { handle_.reset(); }

private:
    base::ScopedFile handle_;
};

std::wstring AnswerBox(DWORD pid) { return AnswerMessageBox(pid, IDOK).text; }

// Ways a save can fail, each done to a file by "another program" or the system.
enum class Trouble { kHeldBefore, kTakenMidway, kReadOnly, kFullDisk };
struct TroubleCase {
    const char* name;
    Trouble trouble;
    const wchar_t* reason;  // what the message must say
};
constexpr TroubleCase kTroubles[] = {
    {"held by another program", Trouble::kHeldBefore, L"Ein anderes Programm hält die Datei geöffnet."},
    {"taken by another program midway", Trouble::kTakenMidway, L"von einem anderen Programm gesperrt"},
    {"read-only", Trouble::kReadOnly, L"Die Datei ist schreibgeschützt."},
    {"on a full disk", Trouble::kFullDisk, L"nicht genug Platz"},
};

// Brings the trouble upon `file` for as long as the object lives.
class Trouble_ {
public:
    Trouble_(Trouble trouble, const std::wstring& file) : file_(file) {
        switch (trouble) {
            case Trouble::kHeldBefore:
                held_.reset(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
                break;
            // Readers may still open it, so a save gets as far as replacing it.
            case Trouble::kTakenMidway:
                held_.reset(
                    CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
                break;
            case Trouble::kReadOnly: SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY); break;
            case Trouble::kFullDisk: full_.emplace(file.substr(0, file.find_last_of(L'\\'))); break;
        }
    }
    ~Trouble_() {
        held_.reset();
        SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    Trouble_(const Trouble_&) = delete;
    Trouble_& operator=(const Trouble_&) = delete;

private:
    std::wstring file_;
    base::ScopedFile held_;
    std::optional<FullDisk> full_;
};

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.rfind(start, 0) == 0; }

// One QuickLogin into `game`.
std::string OneLoginSettings(const GameInstall& game) {
    return "[accounts]\r\n" + AccountLine(L"acc1", L"secret12") + "[clients]\r\nMain=" + Ansi(game.path()) +
           "\r\n[server]\r\nLYONESSE=10.0.0.4:10622\r\n[quicklogin]\r\n" +
           QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main");
}

TEST(FailingWrites, AccountAndClientWindowsKeepWhatWasTyped) {
    struct Case {
        int button;
        const wchar_t* title;
    } cases[] = {{login_cnf_frm::NewCmd[0], L"Corvalink :: Account hinzufügen"},
                 {login_cnf_frm::NewCmd[1], L"Corvalink :: DAoC-Client hinzufügen"}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        folder.Write(L"Corvalink.dat", "[quicklogin]\r\n" + QuickLoginLine(0, L"A,S,Albion,acc,Main"));
        RunningProgram program = RunningProgram::Start(folder);
        HWND config = OpenConfigWindow(program.pid());
        ASSERT_TRUE(config);
        PressButton(config, c.button);
        HWND window = WaitForWindow(program.pid(), L"#32770", c.title);
        ASSERT_TRUE(window);
        SetTextOf(GetDlgItem(window, add_acc_frm::LgnTxt[0]), L"first");
        SetTextOf(GetDlgItem(window, add_acc_frm::LgnTxt[1]), L"second12");
        FileLock lock(folder.Settings());
        ASSERT_TRUE(lock.held());
        PressButton(window, add_acc_frm::AddCmd);
        EXPECT_TRUE(StartsWith(AnswerBox(program.pid()), kWriteFailed));
        EXPECT_EQ(TextOf(GetDlgItem(window, add_acc_frm::LgnTxt[0])), L"first");
        EXPECT_EQ(TextOf(GetDlgItem(window, add_acc_frm::LgnTxt[1])), L"second12");
        EXPECT_TRUE(ListBoxItemsOf(GetDlgItem(window, add_acc_frm::AccLst)).empty());
    }
}

// The account window and the configuration window's Save, against each kind of trouble: the
// file stays byte for byte as it was, the message says why, the window keeps its input.
// Uses: ramdisk
TEST(FullDiskFailingWrites, EachTroubleLeavesTheFileAsItWasAndSaysWhy) {
    for (const TroubleCase& c : kTroubles) {
        SCOPED_TRACE(c.name);
        const std::wstring ramdisk = c.trouble == Trouble::kFullDisk ? RigRamDisk() : L"";
        if (c.trouble == Trouble::kFullDisk && ramdisk.empty()) {
            std::printf("skipped the full disk: the rig has no RAM disk (mounting one needs root)\n");
            continue;
        }
        ProgramFolder folder({}, ramdisk);
        // Big enough that no copy of it fits where the disk is full.
        std::string settings = "[clients]\r\n";
        for (int i = 0; i < 300; ++i) settings += "Client" + std::to_string(i) + "=C:\\Spiele\\DAoC\r\n";
        settings +=
            "[quicklogin]\r\n" + QuickLoginLine(0, L"A,S,Albion,acc,Main") + QuickLoginLine(1, L"B,S,Albion,acc,Main");
        folder.Write(L"Corvalink.dat", settings);
        RunningProgram program = RunningProgram::Start(folder);
        HWND config = OpenConfigWindow(program.pid());
        ASSERT_TRUE(config);
        PressButton(config, login_cnf_frm::NewCmd[0]);
        HWND window = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Account hinzufügen");
        ASSERT_TRUE(window);
        SetTextOf(GetDlgItem(window, add_acc_frm::LgnTxt[0]), L"Kjellö");
        SetTextOf(GetDlgItem(window, add_acc_frm::LgnTxt[1]), L"Tagesmenü");
        std::wstring text;
        {
            Trouble_ trouble(c.trouble, folder.Settings());
            PressButton(window, add_acc_frm::AddCmd);
            text = AnswerBox(program.pid());
        }
        EXPECT_TRUE(StartsWith(text, kWriteFailed)) << Ansi(text);
        EXPECT_TRUE(Contains(text, c.reason)) << Ansi(text);
        EXPECT_EQ(TextOf(GetDlgItem(window, add_acc_frm::LgnTxt[0])), L"Kjellö");
        EXPECT_EQ(TextOf(GetDlgItem(window, add_acc_frm::LgnTxt[1])), L"Tagesmenü");
        EXPECT_TRUE(folder.Read(L"Corvalink.dat") == settings) << "the settings file changed";
        CloseAndWait(window);

        // The QuickLogins moved and saved: all or nothing.
        ListViewSelectIn(GetDlgItem(config, login_cnf_frm::ChrLstVw), 1);
        PressButton(config, login_cnf_frm::ChgPosCmd[0]);
        {
            Trouble_ trouble(c.trouble, folder.Settings());
            PressButton(config, login_cnf_frm::SaveCmd);
            text = AnswerBox(program.pid());
        }
        EXPECT_TRUE(Contains(text, c.reason)) << Ansi(text);
        EXPECT_TRUE(folder.Read(L"Corvalink.dat") == settings) << "the settings file changed";
        EXPECT_TRUE(IsWindowVisible(config));
        PressButton(config, login_cnf_frm::SaveCmd);  // once the trouble is gone, the same save works
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(config); }));
        EXPECT_TRUE(folder.Read(L"Corvalink.dat") != settings);
        ASSERT_EQ(folder.Backups().size(), 1u);
        EXPECT_TRUE(folder.Read(folder.Backups().front()) == settings) << "no backup of the file as it was";
        program.Kill();
    }
}

TEST(FailingWrites, TheWizardStaysOnItsPage) {
    ProgramFolder folder;
    testing_support::TempDir game;
    testing_support::WriteBytes(game / L"camelot.exe", "MZ");
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Einrichtungsassistent");
    ASSERT_TRUE(wizard);
    WizardInput input;
    input.server = 0;
    input.clientDir = game.path();
    ASSERT_NO_FATAL_FAILURE(WalkWizardToTheFinalPage(wizard, input));

    const std::string before = folder.Read(L"Corvalink.dat");
    FileLock lock(folder.Settings());
    PressButton(wizard, wizard_frm::Cmds[1]);  // Finish
    EXPECT_TRUE(StartsWith(AnswerBox(program.pid()), kWriteFailed));
    EXPECT_EQ(TextOf(GetDlgItem(wizard, wizard_frm::Descr[0])), L"Fertig");
    EXPECT_TRUE(IsWindowVisible(wizard));
    EXPECT_FALSE(FindWindowOf(program.pid(), L"#32770", L"Corvalink"));
    lock.Release();
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), before);

    PressButton(wizard, wizard_frm::Cmds[1]);  // once the file is free, Finish works
    EXPECT_TRUE(WaitForTrayWindow(program.pid()));
}

}  // namespace

// Runs that write the game's user.dat take turns with the other logins.
// Uses: game_windows
TEST(LoginFailingWrites, ALockedUserDatStopsTheRunBeforeTheGameStarts) {
    ProgramFolder folder;
    GameInstall game;
    folder.Write(L"Corvalink.dat", OneLoginSettings(game));
    FileLock lock(game.File(L"user.dat"));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    EXPECT_EQ(AnswerBox(program.pid()),
              L"Die Datei „" + game.path() +
                  L"\\user.dat“ konnte nicht geschrieben werden; sie ist unverändert. Ein anderes Programm hält die "
                  L"Datei geöffnet. Läuft DAoC noch? Bitte prüfen Sie auch, ob der DAoC-Ordner beschreibbar ist.");
    EXPECT_TRUE(StaysTrue([&] { return game.Count("start") == 0; }, std::chrono::milliseconds(300)));
}

// Uses: game_windows
TEST(LoginFailingWrites, UserDatIsChangedWholeOrNotAtAll) {
    for (const TroubleCase& c : kTroubles) {
        if (c.trouble == Trouble::kFullDisk || c.trouble == Trouble::kHeldBefore) continue;  // as the settings file
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        GameInstall game;
        const std::string userDat = "[main]\r\nwidth=1024\r\n[quick]\r\nentry0=old\r\n";
        testing_support::WriteBytes(game.File(L"user.dat"), userDat);
        folder.Write(L"Corvalink.dat", OneLoginSettings(game));
        RunningProgram program = RunningProgram::Start(folder);
        std::wstring text;
        {
            Trouble_ trouble(c.trouble, game.File(L"user.dat"));
            ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
            text = AnswerBox(program.pid());
        }
        EXPECT_TRUE(StartsWith(
            text, L"Die Datei „" + game.path() + L"\\user.dat“ konnte nicht geschrieben werden; sie ist unverändert."))
            << Ansi(text);
        EXPECT_TRUE(Contains(text, c.reason)) << Ansi(text);
        EXPECT_EQ(testing_support::ReadBytes(game.File(L"user.dat")), userDat);
        EXPECT_TRUE(StaysTrue([&] { return game.Count("start") == 0; }, std::chrono::milliseconds(300)));
    }
}

// Uses: game_windows
TEST(LoginFailingWrites, TheHelpSwitchThatCannotBeSavedKeepsTheWindow) {
    ProgramFolder folder;
    GameInstall game;
    folder.Write(L"Corvalink.dat", OneLoginSettings(game));
    RunningProgram program = RunningProgram::Start(folder);
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    HWND help = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        help = FindWindowOf(program.pid(), L"#32770", L"Corvalink :: Hilfe");
        return help && TextOf(GetDlgItem(help, helper_frm::Descr[0])) == L"Hats geklappt?";
    }));
    SendMessageW(GetDlgItem(help, helper_frm::HlpChk), BM_SETCHECK, BST_CHECKED, 0);
    FileLock lock(folder.Settings());
    PressButton(help, IDOK);
    EXPECT_TRUE(StartsWith(AnswerBox(program.pid()), L"Die Einstellung „Diese Hilfe nicht mehr anzeigen“ konnte"));
    EXPECT_TRUE(IsWindow(help));
    EXPECT_EQ(SendMessageW(GetDlgItem(help, helper_frm::HlpChk), BM_GETCHECK, 0, 0), BST_CHECKED);
}
