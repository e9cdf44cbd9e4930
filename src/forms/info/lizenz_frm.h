// The viewer for the game's agreement texts.
#pragma once
#include <string>


// The window's controls, as the tests find them too.
namespace lizenz_frm {
inline constexpr int Descr = 10;
inline constexpr int LizenzTxt = 11;
}  // namespace lizenz_frm

// Shows the text (the whole file, however long) with the source line above it, in the one
// viewer window, and gives it the focus.
void ShowAgreementText(const std::wstring& sourceLine, const std::wstring& text);
