// Help pages: a title, a text and a switch that turns the page off for good.
#pragma once
#include <string>

#include "store/settings.h"

// The window's controls, as the tests find them too.
namespace helper_frm {
inline constexpr int CorvalinkImg = 10;
inline constexpr int Descr[2] = {11, 12};  // title, text
inline constexpr int Line[1] = {13};
inline constexpr int Cmds = 1;  // "Danke", the default button (IDOK)
inline constexpr int HlpChk = 100;
}  // namespace helper_frm

// Shows the help window with the page unless page `number` is switched off in the settings
// file. Page 0 is always shown and has no switch. An open help window shows the new page in
// place. The caller goes on at once.
void ShowHelp(Settings& settings, const std::wstring& topic, const std::wstring& text, short number);

// Whether page `number` is to be shown: page 0 always; others unless section "help" holds
// "0" (a value that is not a whole number counts as shown).
bool HelpPageSwitchedOn(const Settings& settings, short number);
