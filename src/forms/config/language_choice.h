// The "Sprache:" box of the configuration window and the wizard.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/lang.h"

// Lists the languages in the box, `code` chosen (German when it is not among them).
void FillLanguageCombo(HWND combo, const std::vector<Language>& languages, const std::wstring& code);
// The code of the language chosen in the box; empty for German.
std::wstring ChosenLanguage(HWND combo, const std::vector<Language>& languages);
