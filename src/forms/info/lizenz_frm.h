// The viewer for the game's agreement texts.
#pragma once
#include <string>

// The window's controls, as the tests find them too.
namespace lizenz_frm {
inline constexpr int Descr = 10;
inline constexpr int LizenzTxt = 11;
}  // namespace lizenz_frm

// Shows the agreement file (read whole, in the ANSI code page, however long; empty when it
// cannot be read) with the line "Originaltext aus <path>" above it, in the one viewer
// window, and gives it the focus.
void ShowAgreementFile(const std::wstring& path);
