// The one orderly end of the running program.
#pragma once

// Removes the tray icon and ends the process at once: no window is unloaded, nothing saved.
[[noreturn]] void QuitProgram();
