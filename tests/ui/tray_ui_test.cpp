// Tray mode of the real program, driven through the icon's notifications and the menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "support/automation.h"
#include "support/started_program.h"
#include "tray/systray_icon.h"
#include "tray/tray_menu.h"

using namespace uia;

namespace {

constexpr wchar_t kViewerTitle[] = L"Corvalink :: Originallizenzen von GOA für DAoC";

std::string Entry(int key, const std::wstring& text) { return QuickLoginLine(key, text); }

// Opens the "DAoC" submenu and picks its item `index`.
std::vector<WORD> AgreementKeys(int index) {
    std::vector<WORD> keys = TrayMenuKeys({}, tray_menu::popupmenue_daoc_lizenzen[index]);
    keys.push_back(VK_RETURN);
    return keys;
}

class TrayMode : public StartedProgram {
protected:
    HWND Start(const std::string& settings) { return StartWith(settings); }
    HWND Viewer() { return WaitForWindow(pid(), L"#32770", kViewerTitle); }
    static std::wstring Item(HWND window, int id) { return TextOf(GetDlgItem(window, id)); }
};

TEST_F(TrayMode, BeendenRemovesTheIconAndEnds) {
    HWND tray = Start("[quicklogin]\r\n" + Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    ASSERT_TRUE(tray);
    EXPECT_FALSE(IsWindowVisible(tray));
    ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(tray); }));

    // Pointer movement, button releases and the middle button do nothing.
    for (UINT msg : {WM_MOUSEMOVE, WM_RBUTTONUP, WM_LBUTTONUP, WM_MBUTTONDOWN, WM_LBUTTONDOWN}) TrayMouse(tray, msg);
    Sleep(200);
    EXPECT_FALSE(FindWindowOf(pid(), L"#32768", nullptr) && IsWindowVisible(FindWindowOf(pid(), L"#32768", nullptr)));

    ASSERT_TRUE(PickTrayCommand(pid(), {1}, tray_menu::popupmenue_beenden));
    EXPECT_EQ(program->WaitForExit(), 0u);
    EXPECT_FALSE(TrayIconExists(tray));
}

// The keyboard on the icon (version 4): Enter does what a double click does, Shift+F10 or the
// menu key opens the menu.
// Uses: keyboard_focus
TEST_F(TrayMode, TheKeyboardReachesTheIcon) {
    HWND tray = Start("[quicklogin]\r\n" + Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    ASSERT_TRUE(tray);
    TrayMouse(tray, NIN_KEYSELECT);
    HWND config = WaitForWindow(pid(), L"#32770", L"Corvalink :: Konfiguration der QuickLogins");
    ASSERT_TRUE(config);
    EXPECT_TRUE(CloseAndWait(config));
    TrayMouse(tray, WM_CONTEXTMENU);
    ASSERT_TRUE(WaitUntil([&] {
        HWND menu = FindWindowOf(pid(), L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    }));
    PostMessageW(FindWindowOf(pid(), L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
}

// When the notification area starts anew (the shell restarted), the icon comes back.
TEST_F(TrayMode, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
    HWND tray = Start("[quicklogin]\r\n" + Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    ASSERT_TRUE(tray);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(tray); }));
    NOTIFYICONDATAW gone{};
    gone.cbSize = sizeof(gone);
    gone.hWnd = tray;
    gone.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));  // as a restarted shell would have lost it
    ASSERT_FALSE(TrayIconExists(tray));
    PostMessageW(tray, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(tray); }));
}

// The settings file changed by hand behind the running program: an item logs in the QuickLogin
// it shows, wherever the file now holds it, or says that it is gone and starts nothing. Each
// QuickLogin names a client of its own without a folder, so the message tells which one ran.
TEST_F(TrayMode, AnItemLogsInWhatItShowsAfterTheFileChanged) {
    const std::wstring aldwin = L"Aldwin,LYONESSE,Albion,acc1,AldwinPC", bea = L"Bea,LYONESSE,Albion,acc2,BeaPC";
    const std::wstring aldwinRan =
        L"Für den Client „AldwinPC“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie "
        L"den Client in der Konfiguration ein.";
    const std::wstring beaRan =
        L"Für den Client „BeaPC“ ist kein DAoC-Ordner eingetragen. Bitte richten Sie den "
        L"Client in der Konfiguration ein.";
    ASSERT_TRUE(Start("[quicklogin]\r\n" + Entry(0, aldwin) + Entry(1, bea)));

    // Swapped: the first item still logs Aldwin in.
    folder.Write(L"Corvalink.dat", "[quicklogin]\r\n" + Entry(0, bea) + Entry(1, aldwin));
    ASSERT_TRUE(PickQuickLogin(pid(), 0));
    EXPECT_EQ(AnswerMessageBox(pid(), IDOK).text, aldwinRan);
    ASSERT_TRUE(PickQuickLogin(pid(), 1));
    EXPECT_EQ(AnswerMessageBox(pid(), IDOK).text, beaRan);

    // Removed: the item says so and starts nobody; the next menu shows what the file holds.
    folder.Write(L"Corvalink.dat", "[quicklogin]\r\n" + Entry(0, bea));
    ASSERT_TRUE(PickQuickLogin(pid(), 0, {2}));
    MessageBoxInfo info = AnswerMessageBox(pid(), IDOK);
    EXPECT_EQ(info.text, L"Den QuickLogin „LYONESSE/Albion: Aldwin“ gibt es in der Einstellungsdatei „" +
                             folder.Settings() +
                             L"“ nicht mehr: Die Datei wurde wohl außerhalb von Corvalink geändert. Es wurde nichts "
                             L"gestartet; das Menü zeigt jetzt, was die Datei enthält.");
    EXPECT_EQ(info.title, L"Corvalink :: Fehler");
    ASSERT_TRUE(PickQuickLogin(pid(), 0, {1}));
    EXPECT_EQ(AnswerMessageBox(pid(), IDOK).text, beaRan);
    EXPECT_TRUE(program->Running());
}

TEST_F(TrayMode, AgreementTextsComeFromTheFirstListedClient) {
    testing_support::TempDir first, second;
    // Longer than the 32 K characters an edit control takes by default, with bare LF lines.
    std::string agreement;
    for (int i = 0; agreement.size() < 40000; ++i)
        agreement += "Absatz " + std::to_string(i) +
                     ": Gr\xFC\xDF"
                     "e\n";
    testing_support::WriteBytes(first / L"daoc_euala.txt", agreement);
    testing_support::WriteBytes(second / L"daoc_euala.txt", "wrong client");
    ASSERT_TRUE(Start("[clients]\r\nFirst=" + Ansi(first.path()) + "\r\nSecond=" + Ansi(second.path()) +
                      "\r\n[quicklogin]\r\n" + Entry(0, L"Aldwin,LYONESSE,Albion,acc1,First")));

    ASSERT_TRUE(UseTrayMenu(pid(), AgreementKeys(0)));
    HWND viewer = Viewer();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(Item(viewer, 10), L"Originaltext aus " + first.path() + L"\\daoc_euala.txt");
    std::wstring expected = FromAnsiBytes(agreement);
    for (size_t at = 0; (at = expected.find(L'\n', at)) != std::wstring::npos; at += 2) expected.insert(at, 1, L'\r');
    EXPECT_EQ(Item(viewer, 11), expected);

    // The rules of conduct are missing: the same window names the file and where it comes from.
    ASSERT_TRUE(UseTrayMenu(pid(), AgreementKeys(1)));
    ASSERT_TRUE(WaitUntil([&] { return Item(viewer, 10).ends_with(L"daoc_roc.txt"); }));
    EXPECT_EQ(Item(viewer, 10), L"Originaltext aus " + first.path() + L"\\daoc_roc.txt");
    EXPECT_EQ(Item(viewer, 11), L"Die Datei „" + first.path() +
                                    L"\\daoc_roc.txt“ gibt es nicht, oder sie kann nicht gelesen werden. DAoC legt "
                                    L"sie bei der Installation in seinen Ordner; Corvalink zeigt sie aus dem "
                                    L"DAoC-Ordner des ersten Clients der Konfiguration. Ist dort der Ordner Ihrer "
                                    L"DAoC-Installation eingetragen?");
}

TEST_F(TrayMode, AgreementWithoutClientsSaysSo) {
    ASSERT_TRUE(Start("[quicklogin]\r\n" + Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main")));
    ASSERT_TRUE(UseTrayMenu(pid(), AgreementKeys(0)));
    MessageBoxInfo info = AnswerMessageBox(pid(), IDOK);
    EXPECT_EQ(info.text, L"es wurden noch keine clients konfiguriert, daher kann diese Lizenz nicht angezeigt werden");
    EXPECT_EQ(info.title, L"Corvalink");
    EXPECT_FALSE(info.hasIcon);
    EXPECT_FALSE(FindWindowOf(pid(), L"#32770", kViewerTitle));
}

TEST_F(TrayMode, AboutShowsTheVersion) {
    ASSERT_TRUE(Start("[quicklogin]\r\n" + Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main")));
    ASSERT_TRUE(PickTrayCommand(pid(), {}, tray_menu::popupmenue_about));
    HWND about = WaitForWindow(pid(), L"#32770", uia::AboutTitle().c_str());
    ASSERT_TRUE(about);
    EXPECT_EQ(Item(about, 10),
              L"Mit einem Klick ins Spiel: Corvalink meldet Ihre DAoC-Charaktere direkt aus dem Infobereich an.");
    PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(program->Running());
}

}  // namespace
