// The tray menu as StartTrayMode builds it from the settings file, read inside the process
// (another process cannot read a menu's items under Wine).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/lang.h"
#include "base/paths.h"
#include "login/running_games.h"
#include "store/settings.h"
#include "support/automation.h"
#include "support/program_folder_test.h"
#include "support/temp_dir.h"
#include "tray/dummy_frm.h"
#include "tray/systray_icon.h"
#include "tray/tray_mode.h"

using testing_support::WriteBytes;

namespace {

std::string Entry(int key, const std::wstring& text) { return uia::QuickLoginLine(key, text); }

// Captions of the menu's items in order, with their mnemonics ("&"); separators as "-",
// disabled items marked "(off)", the default item (bold) "(default)".
std::vector<std::wstring> Captions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        std::wstring caption = text;
        if (info.fType & MFT_SEPARATOR)
            caption = L"-";
        else if (info.fState & MFS_DISABLED)
            caption += L" (off)";
        if (info.fState & MFS_DEFAULT) caption += L" (default)";
        captions.push_back(caption);
    }
    return captions;
}

class TrayMenu : public testing_support::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(tray.Create());
        tray.UseSettings(*settings);
    }
    std::vector<std::wstring> Build(const std::string& quickLoginSection) {
        WriteBytes(SettingsFile(), "[quicklogin]\r\n" + quickLoginSection);
        tray.ReadMenuItems();
        return Captions(BuildTrayMenu(tray.MenuState()).get());
    }
    static std::vector<std::wstring> Menu(std::vector<std::wstring> quickLogins) {
        std::vector<std::wstring> menu{L"&Über ..", L"&Konfiguration (default)", L"-", L"&DAoC", L"-"};
        if (!quickLogins.empty()) {
            menu.insert(menu.end(), quickLogins.begin(), quickLogins.end());
            menu.push_back(L"-");
        }
        menu.push_back(L"&Beenden");
        return menu;
    }

    DummyFRM tray;
};

TEST_F(TrayMenu, ListsEntriesUpToTheFirstGap) {
    EXPECT_EQ(Build(Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main") + Entry(1, L"Brenna,DARTMOOR,Hibernia,acc2,Main") +
                    "2=\r\n" + Entry(3, L"Cyr,LOGRES,Midgard,acc1,Main")),
              Menu({L"LYONESSE/Albion: Aldwin", L"DARTMOOR/Hibernia: Brenna"}));
}

TEST_F(TrayMenu, WithoutEntriesBeendenFollowsTheSeparator) {
    EXPECT_EQ(Build(""), Menu({}));
    EXPECT_EQ(Build("0=\r\n" + Entry(1, L"Aldwin,LYONESSE,Albion,acc1,Main")), Menu({}));
}

TEST_F(TrayMenu, CaptionsShowTheStoredFieldsAsTheyAre) {
    EXPECT_EQ(Build(Entry(0, L"Aldwin,LYONESSE,Albion,acc1,Main,with comma") + Entry(1, L"lower,Lyonesse,albion,a,c") +
                    Entry(2, L"Solo") + Entry(3, L"Duo,LOGRES") + Entry(4, L"Tom & Jerry,LOGRES,Albion,a,c")),
              Menu({L"LYONESSE/Albion: Aldwin", L"Lyonesse/albion: lower", L"Solo", L"LOGRES: Duo",
                    L"LOGRES/Albion: Tom && Jerry"}));
}

// A team written twice by hand appears once.
TEST_F(TrayMenu, ATeamListedTwiceAppearsOnce) {
    std::vector<std::wstring> expected = Menu({L"S/Albion: A"});
    expected.insert(expected.end() - 2, L"Team: Gruppe");
    EXPECT_EQ(Build(Entry(0, L"A,S,Albion,a,c") + "[teams]\r\nGruppe=1\r\ngruppe=1\r\n[team:Gruppe]\r\n" +
                    Entry(0, L"A,S,Albion,a,c")),
              expected);
}

TEST_F(TrayMenu, RebuildFollowsTheFileAndRunsGreyTheItems) {
    Build(Entry(0, L"A,S,Albion,a,c") + Entry(1, L"B,S,Albion,a,c"));
    EXPECT_EQ(Build(Entry(0, L"C,S,Midgard,a,c")), Menu({L"S/Midgard: C"}));

    tray.SetRunning(true);
    EXPECT_EQ(Captions(BuildTrayMenu(tray.MenuState()).get()),
              (std::vector<std::wstring>{L"&Über ..", L"&Konfiguration (default)", L"-", L"&DAoC", L"-",
                                         L"S/Midgard: C (off)", L"Anmeldung &abbrechen", L"-", L"&Beenden"}));
}

// "Laufende Spiele" names each game by its QuickLogin, whatever its window's title says now.
TEST_F(TrayMenu, RunningGamesAreNamedByTheirQuickLogins) {
    Build(Entry(0, L"Aldwin,LYONESSE,Albion,a,c"));
    HWND game = CreateWindowExW(0, L"STATIC", L"Aldwin \u2013 LYONESSE/Albion", WS_POPUP, 0, 0, 50, 50, nullptr,
                                nullptr, nullptr, nullptr);
    TakeCareOfGameWindow(game, {L"Aldwin,LYONESSE,Albion,a,c", L"", std::nullopt});
    SetWindowTextW(game, L"Dark Age of Camelot");  // the game's own title again
    tray.ReadRunningGames();
    const base::ScopedMenu menu = BuildTrayMenu(tray.MenuState());
    EXPECT_EQ(Captions(GetSubMenu(menu.get(), 6)),
              (std::vector<std::wstring>{L"Aldwin \u2013 LYONESSE/Albion", L"-", L"&Nächstes Spiel", L"V&origes Spiel",
                                         L"-", L"Alle m&inimieren", L"Alle &wiederherstellen", L"Alle &schließen …",
                                         L"-", L"Fensterplätze &merken", L"Fensterplätze &vergessen", L"-",
                                         L"Spiele im &Hintergrund mit niedrigerer Priorität"}));
    DestroyWindow(game);
}

}  // namespace

namespace {

// Beyond a screen's worth of items the QuickLogins go into one submenu per server and realm,
// in the order their first entries stand, and the teams into "Teams"; the captions inside stay
// as they are.
TEST_F(TrayMenu, ALongMenuGroupsByServerAndRealm) {
    std::string entries;
    int key = 0;
    for (int i = 0; i < 20; ++i) entries += Entry(key++, L"A" + std::to_wstring(i) + L",LYONESSE,Albion,a,c");
    entries += Entry(key++, L"Solo");
    for (int i = 0; i < 6; ++i) entries += Entry(key++, L"H" + std::to_wstring(i) + L",DARTMOOR,Hibernia,a,c");
    entries += Entry(key++, L"A20,LYONESSE,Albion,a,c");
    const std::vector<std::wstring> top = Build(entries + "[teams]\r\nG=1\r\n[team:G]\r\n" + Entry(0, L"Solo"));
    EXPECT_EQ(top, (std::vector<std::wstring>{L"&Über ..", L"&Konfiguration (default)", L"-", L"&DAoC", L"-",
                                              L"LYONESSE/Albion", L"Solo", L"DARTMOOR/Hibernia", L"&Teams", L"-",
                                              L"&Beenden"}));
    base::ScopedMenu menu = BuildTrayMenu(tray.MenuState());
    EXPECT_EQ(
        Captions(GetSubMenu(menu.get(), 7)),
        (std::vector<std::wstring>{L"DARTMOOR/Hibernia: H0", L"DARTMOOR/Hibernia: H1", L"DARTMOOR/Hibernia: H2",
                                   L"DARTMOOR/Hibernia: H3", L"DARTMOOR/Hibernia: H4", L"DARTMOOR/Hibernia: H5"}));
    const std::vector<std::wstring> albion = Captions(GetSubMenu(menu.get(), 5));
    ASSERT_EQ(albion.size(), 21u);
    EXPECT_EQ(albion.back(), L"LYONESSE/Albion: A20");
    EXPECT_EQ(Captions(GetSubMenu(menu.get(), 8)), std::vector<std::wstring>{L"Team: G"});
}

// However long a list, no menu shows more than a screen's worth: a long group is cut into
// parts named by their first and last character, every entry is reached once, in its order,
// and chooses its own entry.
TEST_F(TrayMenu, NoSubmenuOutgrowsAScreen) {
    constexpr int kCount = 10000;
    std::string entries;
    for (int i = 0; i < kCount; ++i) {
        wchar_t text[48];
        swprintf(text, 48, L"Char%04d,LYONESSE,Albion,a,c", i);
        entries += Entry(i, text);
    }
    Build(entries);
    base::ScopedMenu menu = BuildTrayMenu(tray.MenuState());
    std::vector<UINT> reached;
    size_t longest = 0;
    std::function<void(HMENU)> walk = [&](HMENU m) {
        longest = std::max(longest, static_cast<size_t>(GetMenuItemCount(m)));
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            if (HMENU sub = GetSubMenu(m, i))
                walk(sub);
            else if (GetMenuItemID(m, i) >= tray_menu::kFirstListCommand)
                reached.push_back(GetMenuItemID(m, i));
        }
    };
    walk(menu.get());
    EXPECT_LE(longest, tray_menu::kScreenItems);
    ASSERT_EQ(reached.size(), static_cast<size_t>(kCount));
    for (size_t i = 0; i < reached.size(); ++i) ASSERT_EQ(ListItemOf(tray.MenuState(), reached[i]).index, i);
    const std::vector<std::wstring> parts = Captions(GetSubMenu(menu.get(), 5));
    ASSERT_EQ(parts.size(), 16u);
    EXPECT_EQ(parts.front(), L"Char0000 … Char0624");
    EXPECT_EQ(parts.back(), L"Char9375 … Char9999");
    EXPECT_EQ(Captions(GetSubMenu(GetSubMenu(GetSubMenu(menu.get(), 5), 15), 24)).back(), L"LYONESSE/Albion: Char9999");
}

// The menu speaks the language chosen last, from the next time it opens.
TEST_F(TrayMenu, SpeaksTheChosenLanguage) {
    SelectLanguage(L"en");
    const std::vector<std::wstring> english =
        Build(Entry(0, L"A,S,Albion,a,c") + "[teams]\r\nG=1\r\n[team:G]\r\n" + Entry(0, L"A,S,Albion,a,c"));
    tray.SetRunning(true);
    const std::vector<std::wstring> running = Captions(BuildTrayMenu(tray.MenuState()).get());
    tray.SetRunning(false);
    SelectLanguage(L"");
    EXPECT_EQ(english, (std::vector<std::wstring>{L"&About Corvalink", L"&Configuration\u2026 (default)", L"-",
                                                  L"&DAoC", L"-", L"S/Albion: A", L"Team: G", L"-", L"E&xit"}));
    EXPECT_EQ(running[7], L"Ca&ncel login");
    EXPECT_EQ(Build(""), Menu({})) << "German again";
}

}  // namespace
