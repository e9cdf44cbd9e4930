// The about window: name, version, description, author and the game maker's trademarks.
#pragma once

// Shows the about window modal without owner; returns when it is closed.
void ShowAboutModal();
// Brings an open about window to the front; nothing when none is open.
void FocusAboutWindow();
