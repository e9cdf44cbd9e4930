// Settings files that users edit by hand, copy between machines or that break: start-up, the
// tray menu, the configuration window and a QuickLogin end in a clear message or a sound
// result, never a crash or a hang, and the file is left as it was.
// Every test here uses: game_windows
// Every test here takes long
#include <gtest/gtest.h>

#include <random>

#include "store/simple_crypt.h"
#include "support/automation.h"

using namespace uia;

namespace {

constexpr wchar_t kConfigTitle[] = L"Corvalink :: Konfiguration der QuickLogins";
constexpr wchar_t kWizardTitle[] = L"Corvalink :: Einrichtungsassistent";

std::string Scrambled(const std::wstring& text) { return Ansi(CryptText(text, L"")); }

std::string Utf16WithBom(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

struct BadFile {
    std::string name;
    std::string bytes;
};

std::vector<BadFile> Corpus() {
    const std::string entry = QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main");
    std::string junk;
    std::mt19937 random(7);
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>(random() & 0xFF);
    std::string big = "[quicklogin]\r\n" + entry + "[filler]\r\n";
    for (int i = 0; big.size() < 4 * 1024 * 1024; ++i)
        big += "key" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
    return {
        {"binary junk", junk},
        {"binary junk after an entry", "[quicklogin]\r\n" + entry + junk},
        {"several megabytes", big},
        {"UTF-16 with byte-order mark", Utf16WithBom("[quicklogin]\r\n0=" + std::string("\x9E\x9C\x9E") + "\r\n")},
        {"lines of 100,000 characters", "[quicklogin]\r\n" + entry + "[clients]\r\nMain=" + std::string(100000, 'd') +
                                            "\r\n" + std::string(100000, 'x') + "\r\n"},
        {"repeated sections and keys",
         "[quicklogin]\r\n" + entry + "[quicklogin]\r\n" + entry + "0=" + Scrambled(L"Other,S,Albion,a,c") +
             "\r\n[server]\r\nLYONESSE=198.51.100.4:10622\r\n[server]\r\nLYONESSE=bad\r\n"},
        {"keys without =", "[quicklogin]\r\n" + entry + "just a line\r\n[clients]\r\nMain\r\n"},
        {"one field", "[quicklogin]\r\n" + QuickLoginLine(0, L"Aldwin")},
        {"two fields", "[quicklogin]\r\n" + QuickLoginLine(0, L"Aldwin,LYONESSE")},
        {"four fields", "[quicklogin]\r\n" + QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1")},
        {"scrambled garbage", "[quicklogin]\r\n0=" + junk.substr(0, 200) + "\r\n"},
        {"unknown account, server and client", "[quicklogin]\r\n" + QuickLoginLine(0, L"A,NOWHERE,Albion,who,what")},
        {"help values that are not numbers", "[quicklogin]\r\n" + entry + "[help]\r\n1=yes\r\n0=\r\n"},
        {"empty file", ""},
    };
}

// Opens the tray menu, the configuration window and a QuickLogin; every message is answered.
void PutThroughItsPaces(RunningProgram& program) {
    HWND tray = nullptr, wizard = nullptr;
    WaitUntil(
        [&] {
            tray = FindWindowOf(program.pid(), L"#32770", L"Corvalink");
            wizard = FindWindowOf(program.pid(), L"#32770", kWizardTitle);
            return tray || wizard;
        },
        std::chrono::seconds(15));
    ASSERT_TRUE(tray || wizard) << "neither tray mode nor the wizard";
    if (!tray) return;  // the wizard came: nothing of the file is used before it writes
    TrayMouse(tray, WM_LBUTTONDBLCLK);
    HWND config = WaitForWindow(program.pid(), L"#32770", kConfigTitle, std::chrono::seconds(15));
    ASSERT_TRUE(config) << "the configuration window did not open";
    PostMessageW(config, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config); }));

    ASSERT_TRUE(PickQuickLogin(program.pid(), 0));  // the first QuickLogin, or "Beenden" without one
    // A message (refusal or question) is answered; a run that waits is cancelled.
    for (int i = 0; i < 3; ++i) {
        HWND box = WaitForMessageBox(program.pid(), std::chrono::milliseconds(i == 0 ? 1500 : 500));
        if (!box) break;
        PressButton(box, GetDlgItem(box, IDNO) ? IDNO : IDOK);
        WaitUntil([&] { return !IsWindow(box); });
    }
}

TEST(BadSettingsFiles, NeitherCrashNorHangNorLoseTheFile) {
    for (const BadFile& bad : Corpus()) {
        SCOPED_TRACE(bad.name);
        ProgramFolder folder;
        folder.Write(L"Corvalink.dat", bad.bytes);
        RunningProgram program = RunningProgram::Start(folder);
        PutThroughItsPaces(program);
        EXPECT_TRUE(program.Running() || program.WaitForExit(std::chrono::seconds(1)) == 0u)
            << "the program ended unexpectedly";
        program.Kill();
        EXPECT_TRUE(folder.Read(L"Corvalink.dat") == bad.bytes) << "the settings file changed";
    }
}

TEST(BadSettingsFiles, AFolderInPlaceOfTheSettingsFileIsReported) {
    ProgramFolder folder;
    ASSERT_TRUE(CreateDirectoryW(folder.Settings().c_str(), nullptr));
    RunningProgram program = RunningProgram::Start(folder);
    // Something is there that cannot be read: never taken for a missing file.
    const std::wstring text = AnswerMessageBox(program.pid(), IDOK, 15s).text;
    EXPECT_EQ(text.rfind(L"Die Einstellungsdatei „" + folder.Settings() + L"“ kann nicht gelesen werden.", 0), 0u)
        << Ansi(text);
    EXPECT_TRUE(program.WaitForExit());
}

// Settings files mixed from the corpus's pieces, from a fixed seed; the seed of a file that
// fails is printed. CORVALINK_RANDOM_FILES sets the count (default 20).
TEST(BadSettingsFiles, RandomMixtures) {
    const char* count = std::getenv("CORVALINK_RANDOM_FILES");
    const int files = count ? std::atoi(count) : 20;
    const std::vector<BadFile> corpus = Corpus();
    for (int seed = 1; seed <= files; ++seed) {
        std::mt19937 random(static_cast<unsigned>(seed));
        std::string bytes;
        const int pieces = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < pieces; ++i) {
            const BadFile& piece = corpus[random() % corpus.size()];
            const size_t cut = piece.bytes.empty() ? 0 : random() % (piece.bytes.size() + 1);
            bytes += piece.bytes.size() > 200000 ? piece.bytes.substr(0, 200000)
                                                 : piece.bytes.substr(0, cut ? cut : piece.bytes.size());
        }
        SCOPED_TRACE("seed " + std::to_string(seed));
        ProgramFolder folder;
        folder.Write(L"Corvalink.dat", bytes);
        RunningProgram program = RunningProgram::Start(folder);
        PutThroughItsPaces(program);
        const bool alive = program.Running() || program.WaitForExit(std::chrono::seconds(1)) == 0u;
        EXPECT_TRUE(alive) << "seed " << seed << " ended the program";
        program.Kill();
        EXPECT_TRUE(folder.Read(L"Corvalink.dat") == bytes) << "seed " << seed << " changed the settings file";
        if (HasFailure()) {
            std::printf("failing seed: %d\n", seed);
            break;
        }
    }
}

}  // namespace
