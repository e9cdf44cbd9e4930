// The first-start wizard: shown instead of tray mode while no QuickLogin exists.
#pragma once

#include <functional>

// What the wizard's opener does when it ends.
struct WizardEnd {
    std::function<void()> finished;  // after Finish saved everything (the wizard is hidden)
    std::function<void()> unloaded;  // whenever the wizard is unloaded
};

// Creates the wizard and shows it modeless.
void ShowWizard(WizardEnd end);
// Unloads the wizard if it is loaded.
void UnloadWizard();
