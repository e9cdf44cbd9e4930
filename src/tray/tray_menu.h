// The tray icon's popup menu: the program's commands and one item per QuickLogin.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/handles.h"

enum TrayCommand : UINT {
    kCmdAbout = 1,
    kCmdConfig,
    kCmdAgreement,        // the game's end-user agreement
    kCmdRulesOfConduct,   // the game's rules of conduct
    kCmdCancelRun,
    kCmdExit,
    kCmdQuickLoginFirst = 1000,  // + the entry's index
};

struct TrayMenuState {
    std::vector<std::wstring> quickLoginCaptions;  // one per entry, in entry order
    bool quickLoginsEnabled = true;                // false while a login runs
    bool runInProgress = false;                    // offers to cancel the run
};

// "<server>/<realm>: <character>" from an unscrambled entry; an entry with fewer fields
// shows the ones it has.
std::wstring QuickLoginCaption(std::wstring_view entryText);

// The popup menu for the state; the caller shows it and owns it.
ui::ScopedMenu BuildTrayMenu(const TrayMenuState& state);
