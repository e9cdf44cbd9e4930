// Finding and driving the game's windows. Titles and classes cross in the ANSI code page;
// every message is sent with a time limit, so a window that stops answering cannot freeze
// the program.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "login/game_names.h"

enum class Visibility { kShown, kShownOrHidden };
// A top-level window by class and title; a null class or title matches any. By default only
// shown windows count: one that is not shown yet may still be without its controls.
// With `belongs`, only windows it accepts count (those of one login's processes).
HWND FindTopWindow(const wchar_t* windowClass, const wchar_t* title, Visibility visibility = Visibility::kShown,
                   const std::function<bool(HWND)>& belongs = {});
// Every top-level window there is now.
std::vector<HWND> AllTopWindows();
// A direct child of `parent` after `after` (null: from the first) by class and caption.
HWND FindChildWindow(HWND parent, HWND after, const wchar_t* windowClass, const wchar_t* caption);

enum class SendResult {
    kDone,
    kNoAnswer,      // the window did not handle the message in time (or is gone)
    kAccessDenied,  // the system refused: the window belongs to a program with higher rights
};

// Sends a message to a window of the game, waiting at most a few seconds.
SendResult SendToGame(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_SETTEXT with the text in the ANSI code page.
SendResult SetGameText(HWND window, const std::wstring& text);
// One left click at point (0, 0) of the window: button down, pending messages, button up.
SendResult ClickWindow(HWND window);
