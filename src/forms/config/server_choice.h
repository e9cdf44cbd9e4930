// A drop-down list of the settings file's servers, as the configuration window and the wizard
// offer them: a server whose address is still a placeholder marked, the open list as wide as
// its widest item, and the chosen server known by its name.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "store/settings.h"

class ServerChoice {
public:
    // What the list chooses when the server chosen before is gone: nothing, or the first server
    // with a real address (else the first), so that a new row always has one.
    enum class Fallback { kNone, kFirstReal };

    // Fills the list anew from the file; the chosen server stays chosen.
    void Fill(HWND combo, const Settings& settings, Fallback fallback);
    // The chosen server by its name (without the mark); empty when none is chosen.
    std::wstring Chosen(HWND combo) const;
    // Chooses the server of that name (compared as the file compares names), or none.
    void Choose(HWND combo, const std::wstring& name) const;

private:
    std::vector<std::wstring> names_;  // the list's servers, in its order
};
