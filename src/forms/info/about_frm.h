// The about window: name, version, description, author and the game maker's trademarks.
#pragma once
// The window's controls, as the tests find them too.
namespace about_frm {
inline constexpr int DescrLbl[4] = {10, 11, 12, 13};  // description, address, author, notice
inline constexpr int CorvalinkImg = 14;
inline constexpr int DAoCImg[2] = {15, 16};  // in place of the game's logo: the product name, two lines
}  // namespace about_frm

// Shows the about window modal without owner; returns when it is closed.
void ShowAboutModal();
// Brings an open about window to the front; nothing when none is open.
void FocusAboutWindow();
