// The viewer for the game's agreement texts.
#pragma once
#include <string>

// Shows the text (the whole file, however long) with the source line above it, in the one
// viewer window, and gives it the focus.
void ShowAgreementText(const std::wstring& sourceLine, const std::wstring& text);
