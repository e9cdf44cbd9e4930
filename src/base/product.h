// The product's name: the title of its message boxes, the start of every window caption, the
// tray tip and the name of the Windows-start shortcut.
#pragma once

inline constexpr wchar_t kProductName[] = L"Corvalink";
