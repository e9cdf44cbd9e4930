// The product's name: the title of its message boxes, the start of every window caption, the
// tray tip and the name of the Windows-start shortcut.
#pragma once
#include <string>

inline constexpr wchar_t kProductName[] = L"Corvalink";

// A window's title or the tray's tip: "Corvalink :: <text>".
inline std::wstring ProductTitle(const std::wstring& text) { return std::wstring(kProductName) + L" :: " + text; }
