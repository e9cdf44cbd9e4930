// Message boxes of the program: the product name is the title unless one is given.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// Shows the box without owner and returns the pressed button (IDOK, IDYES, ...). Boxes come
// to the foreground, since the program mostly runs without a visible window.
int MsgBox(const std::wstring& text, UINT flags, const std::wstring& title = {});

}  // namespace ui
