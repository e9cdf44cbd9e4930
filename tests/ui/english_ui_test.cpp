// Every test here uses: game_windows, startup_folder
// An English-speaking player: English chosen on the wizard's first page, then the wizard, the
// configuration window, a refusal and a login, with not one German word on screen apart from
// what the player typed and the game's own windows.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "forms/config/login_cnf_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "support/automation.h"
#include "support/game_double.h"
#include "support/wizard_walk.h"

using namespace uia;

namespace {

std::set<std::wstring> WordsOf(const std::wstring& text) {
    std::set<std::wstring> words;
    std::wstring word;
    for (const wchar_t c : text + L" ") {
        if (IsCharAlphaW(c)) {
            word += c;
        } else {
            if (word.size() >= 4) words.insert(word);
            word.clear();
        }
    }
    return words;
}

// The words of a built language file's texts.
std::set<std::wstring> WordsOfLanguageFile(const std::wstring& name) {
    std::ifstream in(std::wstring(BuiltProgramDir() + L"\\" + name).c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::set<std::wstring> words;
    std::istringstream lines(bytes.str());
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == ';' || line[0] == '[' || equals == std::string::npos) continue;
        for (const std::wstring& word : WordsOf(FromAnsiBytes(line.substr(equals + 1)))) words.insert(word);
    }
    return words;
}

// The German file's words that the English one does not use ("Corvalink", "Server" and the
// like are the same in both).
const std::set<std::wstring>& GermanWords() {
    static const std::set<std::wstring> german = [] {
        std::set<std::wstring> words = WordsOfLanguageFile(L"Corvalink.lng");
        for (const std::wstring& word : WordsOfLanguageFile(L"Corvalink.en.lng")) words.erase(word);
        return words;
    }();
    return german;
}

BOOL CALLBACK AddShownText(HWND child, LPARAM into) {
    auto& texts = *reinterpret_cast<std::vector<std::wstring>*>(into);
    if (!IsWindowVisible(child)) return TRUE;
    const std::wstring cls = ClassOf(child);
    if (cls == L"ComboBox") {
        for (const std::wstring& item : ComboItemsOf(child)) texts.push_back(item);
    } else if (cls != L"Edit") {  // what the player typed
        texts.push_back(TextOf(child));
    }
    return TRUE;
}

// Every text that the window and its controls show: captions, labels, buttons, list items.
std::vector<std::wstring> ShownTexts(HWND window) {
    std::vector<std::wstring> texts{TextOf(window)};
    EnumChildWindows(window, AddShownText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

::testing::AssertionResult HasNoGerman(HWND window) {
    if (!window) return ::testing::AssertionFailure() << "no window";
    std::ostringstream found;
    for (const std::wstring& text : ShownTexts(window)) {
        if (text == L"Deutsch") continue;  // the language list names each language in its own words
        bool german = text.find_first_of(L"äöüÄÖÜß„") != std::wstring::npos;
        for (const std::wstring& word : WordsOf(text)) german = german || GermanWords().count(word) > 0;
        if (german) found << "\n  \"" << Ansi(text) << "\"";
    }
    if (found.str().empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "German in \"" << Ansi(TextOf(window)) << "\":" << found.str();
}

TEST(English, FromTheWizardToALoggedInGameWithoutAGermanWord) {
    ASSERT_GT(GermanWords().size(), 100u);
    ProgramFolder folder;
    GameInstall game;
    RunningProgram program = RunningProgram::Start(folder);
    HWND wizard = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Einrichtungsassistent");
    ASSERT_TRUE(wizard);
    EXPECT_FALSE(HasNoGerman(wizard)) << "the wizard starts in German";

    // The first page's language choice turns the wizard English at once.
    HWND language = GetDlgItem(wizard, wizard_frm::LangCmb);
    const std::vector<std::wstring> languages = ComboItemsOf(language);
    ASSERT_EQ(languages, (std::vector<std::wstring>{L"Deutsch", L"English"}));
    SendMessageW(language, CB_SETCURSEL, 1, 0);
    SendMessageW(wizard, WM_COMMAND, MAKEWPARAM(wizard_frm::LangCmb, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(language));
    ASSERT_TRUE(WaitUntil([&] { return TextOf(wizard) == L"Corvalink :: Setup wizard"; }));
    EXPECT_TRUE(HasNoGerman(wizard));

    WizardInput input;
    input.clientDir = game.path();
    input.serverWindowTitle = L"Corvalink :: Servers";
    input.look = [](HWND window) { EXPECT_TRUE(HasNoGerman(window)); };
    WalkWizardToTheFinalPage(wizard, input);
    ASSERT_EQ(TextOf(GetDlgItem(wizard, wizard_frm::Descr[0])), L"Done");
    PressButton(wizard, wizard_frm::Cmds[1]);
    HWND welcome = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Help");
    EXPECT_TRUE(HasNoGerman(welcome));
    CloseAndWait(welcome);
    EXPECT_NE(folder.Read(L"Corvalink.dat").find("[options]\r\nlanguage=en\r\n"), std::string::npos);

    // The configuration window, and a refusal in it.
    HWND config = OpenConfigWindow(program.pid(), L"Corvalink :: QuickLogin configuration");
    ASSERT_TRUE(config);
    EXPECT_TRUE(HasNoGerman(config));
    SetTextOf(GetDlgItem(config, login_cnf_frm::LgnTxt[0]), L"");
    PressButton(config, login_cnf_frm::AddCmd);
    const MessageBoxInfo refusal = AnswerMessageBox(program.pid(), IDOK);
    EXPECT_EQ(refusal.text, L"Please enter the character\u2019s name.");
    EXPECT_EQ(refusal.title, L"Corvalink :: Error");
    CloseAndWait(config);

    // A login: the launcher's help page and the last one are English too.
    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));
    HWND launcherHelp = WaitForWindow(program.pid(), L"#32770", L"Corvalink :: Help");
    EXPECT_TRUE(HasNoGerman(launcherHelp));
    ASSERT_TRUE(game.WaitFor("logged-in"));
    EXPECT_EQ(game.Detail("account"), "acc1");
    ASSERT_TRUE(WaitUntil([&] {
        HWND help = FindWindowOf(program.pid(), L"#32770", L"Corvalink :: Help");
        return help && TextOf(GetDlgItem(help, 11)) == L"Did it work?";
    }));
    EXPECT_TRUE(HasNoGerman(FindWindowOf(program.pid(), L"#32770", L"Corvalink :: Help")));
}

}  // namespace

namespace {

// The configuration window's choice: saved with the rows, in effect for every window opened
// afterwards, and German again removes the key (a file without options stays without them).
TEST(English, TheConfigurationWindowSwitchesTheLanguage) {
    ProgramFolder folder;
    const std::string settings = "[quicklogin]\r\n" + QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main");
    folder.Write(L"Corvalink.dat", settings);
    RunningProgram program = RunningProgram::Start(folder);
    auto choose = [&](HWND window, int index) {
        HWND combo = GetDlgItem(window, login_cnf_frm::LangCmb);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PressButton(window, login_cnf_frm::SaveCmd);
        return WaitUntil([&] { return !IsWindow(window); });
    };
    HWND config = OpenConfigWindow(program.pid());
    ASSERT_TRUE(config);
    ASSERT_TRUE(choose(config, 1));
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), settings + "[options]\r\nlanguage=en\r\n");

    config = OpenConfigWindow(program.pid(), L"Corvalink :: QuickLogin configuration");
    ASSERT_TRUE(config);
    EXPECT_TRUE(HasNoGerman(config));
    EXPECT_EQ(ComboItemsOf(GetDlgItem(config, login_cnf_frm::LangCmb)),
              (std::vector<std::wstring>{L"Deutsch", L"English"}));
    ASSERT_TRUE(choose(config, 0));
    EXPECT_EQ(folder.Read(L"Corvalink.dat"), settings + "[options]\r\n");
    EXPECT_TRUE(OpenConfigWindow(program.pid()));
}

// The English file held by another program for a while is waited for; a text it lacks comes in
// German. Neither ends Corvalink.
TEST(English, AHeldOrIncompleteFileNeverEndsCorvalink) {
    ProgramFolder folder;
    folder.Write(L"Corvalink.dat", "[options]\r\nlanguage=en\r\n[quicklogin]\r\n" +
                                       QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    std::optional<RunningProgram> program;
    {
        HeldFile held(folder.File(L"Corvalink.en.lng"));
        ASSERT_TRUE(held.held());
        program.emplace(RunningProgram::Start(folder));
        ASSERT_TRUE(WaitForTrayWindow(program->pid()));
        held.ReleaseAfter(1500ms);
        ASSERT_TRUE(PickQuickLogin(program->pid(), 0));  // the menu's texts wait for the file
    }
    MessageBoxInfo box = AnswerMessageBox(program->pid(), IDOK);
    EXPECT_EQ(box.text, L"No DAoC folder is set for the client “Main”. Please set up the client in the configuration.");
    EXPECT_EQ(box.title, L"Corvalink :: Error");

    std::string english = folder.Read(L"Corvalink.en.lng");
    const size_t line = english.find("no_client_folder=");
    ASSERT_NE(line, std::string::npos);
    english.erase(line, english.find('\n', line) + 1 - line);
    folder.Write(L"Corvalink.en.lng", english);
    ASSERT_TRUE(PickQuickLogin(program->pid(), 0));
    box = AnswerMessageBox(program->pid(), IDOK);
    EXPECT_EQ(box.text,
              L"Für den Client „Main“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie den Client in der "
              L"Konfiguration ein.");
    EXPECT_EQ(box.title, L"Corvalink :: Error");
    EXPECT_TRUE(program->Running());
}

}  // namespace
