// ModMain: The one orderly end of the running program.
#pragma once
#include <functional>

// What must happen before the process ends (the tray removes its icon); registered by the
// layer that owns it. A later registration replaces an earlier one.
void SetQuitHook(std::function<void()> hook);

// Runs the quit hook and ends the process at once: no window is unloaded, nothing saved.
[[noreturn]] void QuitProgram();
