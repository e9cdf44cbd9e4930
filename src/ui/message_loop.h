// The program's one message loop, and the ways a long-running handler lets the program's
// windows, tray icon and menus go on working while it waits.
#pragma once
#include <functional>

namespace ui {

// Handles every message waiting in this thread's queue, then returns. A WM_QUIT found on
// the way is put back so that the outer loop ends.
void DoEvents();

// Waits up to `milliseconds` for a new message (without using the processor), then
// handles what is waiting.
void WaitForEvents(unsigned milliseconds);

// Runs the loop while `keepRunning` says so, or until WM_QUIT (which is put back).
void RunMessageLoopWhile(const std::function<bool()>& keepRunning);

// The main loop: runs while a form is loaded (or until WM_QUIT) and returns the exit code.
int RunMessageLoop();

}  // namespace ui
