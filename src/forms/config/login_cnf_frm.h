// The QuickLogin configuration window: compose, order, remove and save the QuickLogins.
#pragma once
#include <windows.h>

#include <functional>

#include "store/settings.h"

// The window's controls, as the tests find them too. Control arrays are arrays of ids.
namespace login_cnf_frm {
inline constexpr int LgnCmb[4] = {200, 201, 202, 203};  // account, server, realm, client
inline constexpr int LgnTxt[1] = {210};                 // character name
inline constexpr int NewCmd[3] = {220, 221, 222};       // ".." for accounts, clients, servers
inline constexpr int AddCmd = 230;
inline constexpr int ChgPosCmd[2] = {240, 241};  // up, down
inline constexpr int DelCmd = 250;
inline constexpr int ChrLstVw = 260;
inline constexpr int WinStartChk = 270;
inline constexpr int SaveCmd = 280;
inline constexpr int ProtectChk = 290;  // "Passwörter mit Windows schützen"
inline constexpr int TeamTxt = 291;     // a team's name
inline constexpr int TeamCmd = 292;     // saves the ticked QuickLogins as that team
inline constexpr int TeamLbl = 293;
inline constexpr int ChgCmd = 294;       // "Ändern": the selected row takes the fields' values
inline constexpr int TeamCmb = 295;      // the saved teams
inline constexpr int TeamCmbLbl = 296;   // "Team:"
inline constexpr int TeamDelCmd = 297;   // "Team entfernen"
inline constexpr int LangCmb = 298;      // the language of the program's texts
inline constexpr int LangLbl = 299;      // "Sprache:"
inline constexpr int HotkeyLbl = 320;    // "Tastenkürzel:"
inline constexpr int HotkeyTxt = 321;    // the hotkey of the chosen QuickLogin or team
inline constexpr int HotkeyFor = 322;    // what the hotkey is for
inline constexpr int RenameChk = 323;    // "Spielfenster nach dem Charakter benennen"
inline constexpr int StartGapLbl = 324;  // "Abstand zwischen Starts (s):"
inline constexpr int StartGapTxt = 325;  // seconds between two starts of a team's members
inline constexpr int AtOnceLbl = 326;    // "Höchstens gleichzeitig:"
inline constexpr int AtOnceTxt = 327;    // a team's logins under way at once
inline constexpr int ShortcutCmd = 328;  // "Verknüpfung erstellen" for the chosen row or team
inline constexpr int GamesLbl = 329;     // "Tastenkürzel für alle Spiele:"
inline constexpr int GamesCmb = 330;     // a command for all running games, which the hotkey field then speaks for
inline constexpr int DescrLbl[6] = {300, 0, 301, 302, 303, 304};  // (1) is not used
inline constexpr int Line1[1] = {310};
}  // namespace login_cnf_frm

// Opens the window modeless, or brings the open one to the front with its unsaved rows.
// `saved` runs after the QuickLogins were saved (the tray rebuilds its menu).
void ShowLoginConfig(Settings& settings, std::function<void()> saved);
