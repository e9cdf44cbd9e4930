// The first-start wizard: shown instead of tray mode while no QuickLogin exists.
#pragma once

#include <functional>

#include "store/settings.h"

// The window's controls, as the tests find them too. Control arrays are arrays of ids.
namespace wizard_frm {
inline constexpr int CorvalinkImg = 10;
inline constexpr int Descr[2] = {11, 12};  // page heading, introduction
inline constexpr int Line[2] = {13, 14};
inline constexpr int Cmds[4] = {100, 101, 102, 103};  // Cancel, Next/Finish, Back, the folder button
// The four pages (account, character, client, final): each the group of its controls.
inline constexpr int FrameFrm[4] = {1, 2, 3, 4};
// The introduction's "Sprache:" choice
inline constexpr int LangLbl = 15;
inline constexpr int LangCmb = 16;
// Page 0, account
inline constexpr int Descr0[3] = {200, 201, 203};
inline constexpr int AccLoginTxt = 202;
inline constexpr int AccPWTxt = 204;
// Page 1, character
inline constexpr int Descr1[4] = {300, 301, 303, 305};
inline constexpr int CharNameTxt = 302;
inline constexpr int ServerCmb = 304;
inline constexpr int ReichCmb = 306;
inline constexpr int SrvCmd = 307;  // ".." beside the server list: the server window
// Page 2, client
inline constexpr int Descr2[3] = {400, 403, 401};
inline constexpr int ClientPfadTxt = 402;
inline constexpr int ClientNameTxt = 404;
// Page 3, final
inline constexpr int Descr3[1] = {500};
inline constexpr int WinStartChk = 501;
}  // namespace wizard_frm

// What the wizard's opener does when it ends.
struct WizardEnd {
    std::function<void()> finished;  // after Finish saved everything (the wizard is hidden)
    std::function<void()> unloaded;  // whenever the wizard is unloaded
};

// Creates the wizard and shows it modeless.
void ShowWizard(Settings& settings, WizardEnd end);
// Unloads the wizard if it is loaded.
void UnloadWizard();
