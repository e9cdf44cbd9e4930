// Help pages and their switch, driven inside the process through the window's controls.
#include <gtest/gtest.h>

#include "base/lang.h"
#include "base/paths.h"
#include "forms/info/helper_frm.h"
#include "store/settings.h"
#include "support/automation.h"
#include "support/program_folder_test.h"
#include "support/temp_dir.h"
#include "ui/message_loop.h"

using testing_support::ReadBytes;
using testing_support::WriteBytes;

namespace {

constexpr wchar_t kHelpTitle[] = L"Corvalink :: Hilfe";

class HelpPages : public testing_support::ProgramFolderTest {
protected:
    void TearDown() override {
        if (HWND w = Window()) SendMessageW(w, WM_COMMAND, IDOK, 0);
    }
    static HWND Window() {
        ui::DoEvents();
        HWND w = uia::FindWindowOf(GetCurrentProcessId(), L"#32770", kHelpTitle);
        return w && IsWindowVisible(w) ? w : nullptr;
    }
    // Presses "Danke", with the switch ticked first when asked.
    static void Close(HWND w, bool tickSwitch) {
        if (tickSwitch) SendMessageW(GetDlgItem(w, helper_frm::HlpChk), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(w, IDOK), BM_CLICK, 0, 0);
        ui::DoEvents();
    }
};

// A text longer than the usual buffer (a translator's file may hold one) is read whole.
TEST_F(HelpPages, ALongTextOfTheLanguageFileIsReadWhole) {
    WriteBytes(dir / L"Corvalink.lng",
               ReadBytes(dir / L"Corvalink.lng") + "\r\n[extra]\r\nlong=" + std::string(2000, 'x') + "\r\n");
    EXPECT_EQ(LangText(L"extra", L"long"), std::wstring(2000, L'x'));
}

// A language outside the ANSI code page ships in UTF-16 with a byte-order mark, which the
// profile functions read as Unicode: its texts come whole, its name is offered.
TEST_F(HelpPages, ALanguageFileInUtf16KeepsEveryCharacter) {
    const std::wstring text = L"[general]\r\nlanguage=Polski\r\n[extra]\r\ngreeting=Łódź, żółć i Ёлка\r\n";
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    WriteBytes(dir / L"Corvalink.pl.lng", bytes);
    bool offered = false;
    for (const Language& language : AvailableLanguages()) offered = offered || language.name == L"Polski";
    EXPECT_TRUE(offered);
    SelectLanguage(L"pl");
    EXPECT_EQ(LangText(L"extra", L"greeting"), L"Łódź, żółć i Ёлка");
    EXPECT_EQ(LangText(L"general", L"err"), L"Fehler") << "a text it lacks comes in German";
    SelectLanguage(L"");
}

TEST_F(HelpPages, PageZeroIsAlwaysShownWithoutSwitch) {
    WriteBytes(SettingsFile(), "[help]\r\n0=0\r\n");
    for (int round = 0; round < 2; ++round) {
        ShowHelp(*settings, L"Titel", L"Zeile 1\r\nZeile 2", 0);
        HWND w = Window();
        ASSERT_TRUE(w);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(w, helper_frm::HlpChk)));
        EXPECT_EQ(uia::TextOf(GetDlgItem(w, IDOK)), L"Danke");
        Close(w, false);
        EXPECT_FALSE(Window());
    }
    EXPECT_EQ(ReadBytes(SettingsFile()), "[help]\r\n0=0\r\n");
}

TEST_F(HelpPages, TheSwitchTurnsPageOneOffForGood) {
    ShowHelp(*settings, L"Erste", L"Text", 1);
    HWND w = Window();
    ASSERT_TRUE(w);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(w, helper_frm::HlpChk)));
    EXPECT_EQ(uia::TextOf(GetDlgItem(w, helper_frm::HlpChk)), L"Diese Hilfe nicht mehr anzeigen");

    // A second page replaces title and text in the open window.
    ShowHelp(*settings, L"Zweite", L"Anderer Text", 1);
    EXPECT_EQ(Window(), w);
    EXPECT_EQ(uia::TextOf(w), kHelpTitle);
    Close(w, true);

    EXPECT_EQ(ReadBytes(SettingsFile()), "[help]\r\n1=0\r\n");
    ShowHelp(*settings, L"Dritte", L"Text", 1);
    EXPECT_FALSE(Window());
}

TEST_F(HelpPages, OnlyAStoredZeroSwitchesAPageOff) {
    struct Case {
        std::string settings;
        bool shown;
    } cases[] = {
        {"", true},
        {"[help]\r\n1=5\r\n", true},
        {"[help]\r\n1=abc\r\n", true},
        {"[help]\r\n1=0x\r\n", true},
        {"[help]\r\n1=0\r\n", false},
        {"[help]\r\n1=00\r\n", false},
    };
    for (const Case& c : cases) {
        WriteBytes(SettingsFile(), c.settings);
        EXPECT_EQ(HelpPageSwitchedOn(*settings, 1), c.shown) << c.settings;
    }
}

}  // namespace
