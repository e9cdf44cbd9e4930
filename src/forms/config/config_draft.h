// What the configuration window holds between reading the settings file and saving: its rows
// (each with the entry it came from and its tick), the hotkeys and the switches, and the change
// a save would write. No window is needed: every sequence of edits can be tried on its own.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "store/settings.h"

// The switches of the window that the settings file keeps.
struct ConfigSwitches {
    bool protect = false;                                   // passwords protected by Windows
    bool rename = true;                                     // game windows named after their characters
    std::wstring language;                                  // empty: German
    unsigned spacingSeconds = TeamPacing{}.spacingSeconds;  // a team's starts, this far apart
    unsigned atOnce = TeamPacing{}.atOnce;                  // a team's logins under way at once
    bool operator==(const ConfigSwitches&) const = default;
};

class ConfigDraft {
public:
    struct Row {
        QuickLoginEntry entry;
        int origin = -1;  // the entry read that it came from, or -1 for a new one
        bool ticked = false;
    };

    // What the file holds now.
    void Read(std::vector<QuickLoginEntry> entries, std::vector<Hotkey> hotkeys, const ConfigSwitches& switches);

    const std::vector<Row>& rows() const { return rows_; }
    void Add(const QuickLoginEntry& entry);
    // The row takes the entry; its hotkey goes with it.
    void Change(size_t row, const QuickLoginEntry& entry);
    // Swaps the row with its neighbour above (step -1) or below (+1); false at either end.
    bool Move(size_t row, int step);
    void Remove(size_t row);

    // Ticked rows make a team.
    void ToggleTick(size_t row);
    // Ticks exactly the rows that are members (whole entries, as a team keeps them).
    void TickMembers(const std::vector<std::wstring>& members);
    std::vector<QuickLoginEntry> Ticked() const;

    // The keys of the hotkey of a QuickLogin (its whole entry) or team; empty for none.
    std::wstring HotkeyOf(Hotkey::Kind kind, const std::wstring& target) const;
    // The keys belong to this QuickLogin or team from now on, and to nothing else; empty keys
    // take its hotkey away.
    void SetHotkey(Hotkey::Kind kind, const std::wstring& target, const std::wstring& keys);

    // What a save would change, with the switches as the window shows them now.
    ConfigurationChange PendingChange(const ConfigSwitches& now) const;
    bool HasUnsavedChanges(const ConfigSwitches& now) const;
    // The file now holds what the change wrote (and these hotkeys): later saves compare with it.
    void Saved(const ConfigurationChange& change, std::vector<Hotkey> hotkeys, const ConfigSwitches& now);

private:
    std::vector<QuickLoginEntry> read_;  // the QuickLogins as the file held them at load or the last save
    std::vector<Row> rows_;              // the rows as the window has them now
    std::vector<Hotkey> hotkeysRead_, hotkeys_;
    ConfigSwitches switchesRead_;
};
