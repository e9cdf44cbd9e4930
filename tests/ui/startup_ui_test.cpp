// Start-up of the real program: incomplete installations, command lines, a second instance,
// a faulty language file and the choice between the wizard and tray mode.
#include <gtest/gtest.h>

#include "support/automation.h"

using namespace uia;

namespace {

constexpr wchar_t kIncomplete[] = L"Das Softwarepaket ist nicht vollständig, die Anwendung wird daher beendet!";
constexpr wchar_t kWizardTitle[] = L"Corvalink :: Einrichtungsassistent";
constexpr wchar_t kTrayWindowTitle[] = L"Corvalink";

// The message box the program shows, answered with OK; the program must then end.
MessageBoxInfo AnswerTheOnlyMessage(RunningProgram& program) {
    MessageBoxInfo info = AnswerMessageBox(program.pid(), IDOK);
    EXPECT_TRUE(program.WaitForExit()) << "the program did not end after its message";
    return info;
}

TEST(StartUp, IncompleteInstallationIsReportedAndEnds) {
    struct Case {
        const char* name;
        ProgramFolder::Parts parts;
        std::string languageFile;  // replaces the shipped one when not empty
        std::wstring expected;
    } cases[] = {
        {"no language file", {false, true}, "", kIncomplete},
        {"no Modal.exe",
         {true, false},
         "",
         L"Das Softwarepaket ist nicht vollständig, die Anwendung wird daher beendet!"},
        {"no Modal.exe, own text", {true, false}, "[errors]\r\n1=Modal fehlt\r\n", L"Modal fehlt"},
        {"no Modal.exe, no errors/1", {true, false}, "[general]\r\nerr=Fehler\r\n", kIncomplete},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder(c.parts);
        if (!c.languageFile.empty()) folder.Write(L"Corvalink.lng", c.languageFile);
        RunningProgram program = RunningProgram::Start(folder);
        MessageBoxInfo box = AnswerTheOnlyMessage(program);
        EXPECT_EQ(box.text, c.expected);
        EXPECT_EQ(box.title, L"Corvalink");
        EXPECT_TRUE(box.hasIcon);
        EXPECT_FALSE(folder.Has(L"Corvalink.dat"));
    }
}

TEST(StartUp, FoldersNamedLikeTheProgramsFilesCountAsPresent) {
    ProgramFolder folder({true, false});
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Modal.exe").c_str(), nullptr));
    RunningProgram program = RunningProgram::Start(folder);
    EXPECT_TRUE(WaitForWindow(program.pid(), L"#32770", kWizardTitle));
}

// Arguments that are no command are named, and the program ends with code 2 having done nothing.
TEST(StartUp, ACommandLineItDoesNotKnowIsNamedAndEndsWithCode2) {
    ProgramFolder folder;
    RunningProgram program = RunningProgram::Start(folder, L"hello  world");
    const MessageBoxInfo box = AnswerMessageBox(program.pid(), IDOK);
    EXPECT_EQ(box.text.rfind(L"Corvalink kennt „hello“ nicht, es wurde nichts gestartet.\r\n\r\nCorvalink versteht: "
                             L"/login",
                             0),
              0u)
        << Ansi(box.text);
    EXPECT_EQ(box.title, L"Corvalink :: Fehler");
    EXPECT_EQ(program.WaitForExit(), 2u);
    EXPECT_FALSE(folder.Has(L"Corvalink.dat"));
}

TEST(StartUp, SecondInstanceIsRefusedWhileTheFirstRunsOn) {
    ProgramFolder folder;
    RunningProgram first = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForWindow(first.pid(), L"#32770", kWizardTitle));

    RunningProgram second = RunningProgram::Start(folder);
    MessageBoxInfo box = AnswerTheOnlyMessage(second);
    EXPECT_EQ(box.title, L"Corvalink :: Fehler");
    EXPECT_EQ(box.text, L"Corvalink läuft bereits. Sie finden es im Infobereich der Taskleiste.");
    EXPECT_TRUE(box.hasIcon);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(FindWindowOf(first.pid(), L"#32770", kWizardTitle));

    // A second start with an argument it does not know names it, not the instance message.
    RunningProgram third = RunningProgram::Start(folder, L"x");
    EXPECT_EQ(AnswerTheOnlyMessage(third).text.rfind(L"Corvalink kennt „x“ nicht, es wurde nichts gestartet.", 0), 0u);
}

// One copy per settings file, however its path is spelled.
TEST(StartUp, ASecondInstanceIsRefusedUnderAnotherSpellingOfItsPath) {
    ProgramFolder folder;
    RunningProgram first = RunningProgram::Start(folder);
    ASSERT_TRUE(WaitForWindow(first.pid(), L"#32770", kWizardTitle));
    std::vector<std::wstring> spellings;
    wchar_t shortPath[MAX_PATH];
    const DWORD n = GetShortPathNameW(folder.Exe().c_str(), shortPath, MAX_PATH);
    if (n > 0 && n < MAX_PATH && folder.Exe() != shortPath) spellings.emplace_back(shortPath);
    // Through another drive letter: Z: holds the whole Unix tree, the prefix's C: drive too.
    const std::wstring exe = folder.Exe();
    if (exe.rfind(L"C:\\", 0) == 0) spellings.push_back(RigFolder() + L"\\prefix\\drive_c" + exe.substr(2));
    ASSERT_EQ(spellings.size(), 2u);
    for (const std::wstring& other : spellings) ASSERT_NE(GetFileAttributesW(other.c_str()), INVALID_FILE_ATTRIBUTES);
    for (const std::wstring& exe : spellings) {
        SCOPED_TRACE(Ansi(exe));
        RunningProgram second = RunningProgram::StartExe(exe);
        EXPECT_EQ(AnswerTheOnlyMessage(second).text,
                  L"Corvalink läuft bereits. Sie finden es im Infobereich der Taskleiste.");
    }
    EXPECT_TRUE(first.Running());
}

// A path with blanks, unquoted, as the system allows on a command line: the program's own
// path is never taken for an argument.
TEST(StartUp, AnUnquotedPathWithBlanksStartsTheProgram) {
    ProgramFolder folder({}, L"", L"Corva Link Ordner");
    RunningProgram program = RunningProgram::StartCommandLine(folder.Exe(), folder.path());
    EXPECT_TRUE(WaitForWindow(program.pid(), L"#32770", kWizardTitle));
    program.Kill();
    RunningProgram withArgument = RunningProgram::StartCommandLine(folder.Exe() + L" /x", folder.path());
    EXPECT_EQ(AnswerTheOnlyMessage(withArgument).text.rfind(L"Corvalink kennt „/x“ nicht", 0), 0u);
}

// A settings file that another program holds is waited for a moment and, if it stays held,
// reported by name; the program ends and the file is as it was. Never taken for no file.
TEST(StartUp, AHeldSettingsFileIsWaitedForThenReported) {
    const std::string settings = "[server]\r\nLYONESSE=10.9.8.7:10622\r\n";
    {
        ProgramFolder folder;
        folder.Write(L"Corvalink.dat", settings);
        HANDLE held = CreateFileW(folder.Settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        RunningProgram program = RunningProgram::Start(folder);
        const MessageBoxInfo box = AnswerTheOnlyMessage(program);
        CloseHandle(held);
        EXPECT_EQ(box.text.rfind(L"Die Einstellungsdatei „" + folder.Settings() +
                                     L"“ kann nicht gelesen werden. Ein anderes Programm hält sie geöffnet.",
                                 0),
                  0u)
            << Ansi(box.text);
        EXPECT_EQ(folder.Read(L"Corvalink.dat"), settings);
        EXPECT_TRUE(folder.Backups().empty());
    }
    {
        // Held for a moment only: the program starts as usual.
        ProgramFolder folder;
        folder.Write(L"Corvalink.dat", settings);
        HANDLE held = CreateFileW(folder.Settings().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        RunningProgram program = RunningProgram::Start(folder);
        Sleep(500);
        CloseHandle(held);
        EXPECT_TRUE(WaitForWindow(program.pid(), L"#32770", kWizardTitle));
        EXPECT_FALSE(WaitForMessageBox(program.pid(), std::chrono::milliseconds(300)));
    }
}

TEST(StartUp, KeyPresentWithEmptyValueIsAFaultyLanguageFile) {
    ProgramFolder folder;
    std::string language = folder.Read(L"Corvalink.lng");
    const size_t at = language.find("topic=Einrichtungsassistent");
    ASSERT_NE(at, std::string::npos);
    language.replace(at, std::string("topic=Einrichtungsassistent").size(), "topic=");
    folder.Write(L"Corvalink.lng", language);

    RunningProgram program = RunningProgram::Start(folder);
    MessageBoxInfo box = AnswerTheOnlyMessage(program);
    EXPECT_EQ(box.text, L"Die Sprachdatei ist fehlerhaft, das Programm wird beendet");
    EXPECT_EQ(box.title, L"Corvalink");
    EXPECT_FALSE(box.hasIcon);
}

TEST(StartUp, ChoosesWizardOrTrayModeFromTheSettingsFile) {
    struct Case {
        const char* name;
        std::optional<std::string> settings;
        bool tray;
    } cases[] = {
        {"no settings file", std::nullopt, false},
        {"no key 0", std::string("[quicklogin]\r\n1=\x9E\x9C\x9E\r\n"), false},
        {"empty key 0", std::string("[quicklogin]\r\n0=\r\n1=\x9E\x9C\x9E\r\n"), false},
        {"key 0 with any text", std::string("[quicklogin]\r\n0=not an entry\r\n"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        if (c.settings) folder.Write(L"Corvalink.dat", *c.settings);
        RunningProgram program = RunningProgram::Start(folder);
        if (c.tray) {
            HWND tray = WaitForWindow(program.pid(), L"#32770", kTrayWindowTitle);
            ASSERT_TRUE(tray);
            EXPECT_FALSE(IsWindowVisible(tray));
            EXPECT_FALSE(FindWindowOf(program.pid(), nullptr, kWizardTitle));
        } else {
            HWND wizard = WaitForWindow(program.pid(), L"#32770", kWizardTitle);
            ASSERT_TRUE(wizard);
            EXPECT_TRUE(IsWindowVisible(wizard));
            EXPECT_FALSE(FindWindowOf(program.pid(), L"#32770", kTrayWindowTitle));
        }
        EXPECT_TRUE(program.Running());
    }
}

TEST(StartUp, ClosingTheWizardEndsTheProgram) {
    ProgramFolder folder;
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", kWizardTitle);
    ASSERT_TRUE(wizard);
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_FALSE(folder.Has(L"Corvalink.dat"));
}

}  // namespace
