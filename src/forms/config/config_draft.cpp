#include "forms/config/config_draft.h"

#include <algorithm>
#include <utility>

#include "store/ini_handling.h"

namespace {

// A hotkey's target and another are the same QuickLogin, or the same team.
bool SameTarget(Hotkey::Kind kind, const std::wstring& a, const std::wstring& b) {
    return kind == Hotkey::Kind::kQuickLogin ? QuickLoginEntry::Same(a, b) : a == b;
}

}  // namespace

void ConfigDraft::Read(std::vector<QuickLoginEntry> entries, std::vector<Hotkey> hotkeys,
                       const ConfigSwitches& switches) {
    read_ = std::move(entries);
    rows_.clear();
    for (size_t i = 0; i < read_.size(); ++i) rows_.push_back({read_[i], static_cast<int>(i)});
    hotkeysRead_ = hotkeys_ = std::move(hotkeys);
    switchesRead_ = switches;
}

void ConfigDraft::Add(const QuickLoginEntry& entry) { rows_.push_back({entry}); }

void ConfigDraft::Change(size_t row, const QuickLoginEntry& entry) {
    if (row >= rows_.size()) return;
    const std::wstring before = rows_[row].entry.ToText();
    for (Hotkey& h : hotkeys_)
        if (h.kind == Hotkey::Kind::kQuickLogin && QuickLoginEntry::Same(h.target, before)) h.target = entry.ToText();
    rows_[row].entry = entry;
}

bool ConfigDraft::Move(size_t row, int step) {
    const size_t to = row + static_cast<size_t>(step);
    if (row >= rows_.size() || to >= rows_.size()) return false;
    std::swap(rows_[row], rows_[to]);
    return true;
}

void ConfigDraft::Remove(size_t row) {
    if (row < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

void ConfigDraft::ToggleTick(size_t row) {
    if (row < rows_.size()) rows_[row].ticked = !rows_[row].ticked;
}

void ConfigDraft::TickMembers(const std::vector<std::wstring>& members) {
    for (Row& row : rows_)
        row.ticked = std::any_of(members.begin(), members.end(), [&](const std::wstring& member) {
            return QuickLoginEntry::Same(member, row.entry.ToText());
        });
}

std::vector<QuickLoginEntry> ConfigDraft::Ticked() const {
    std::vector<QuickLoginEntry> ticked;
    for (const Row& row : rows_)
        if (row.ticked) ticked.push_back(row.entry);
    return ticked;
}

std::wstring ConfigDraft::HotkeyOf(Hotkey::Kind kind, const std::wstring& target) const {
    for (const Hotkey& h : hotkeys_)
        if (h.kind == kind && SameTarget(kind, h.target, target)) return h.keys;
    return {};
}

void ConfigDraft::SetHotkey(Hotkey::Kind kind, const std::wstring& target, const std::wstring& keys) {
    std::erase_if(hotkeys_, [&](const Hotkey& h) {
        return (h.kind == kind && SameTarget(kind, h.target, target)) ||
               (!keys.empty() && UpperCase(h.keys) == UpperCase(keys));
    });
    if (!keys.empty()) hotkeys_.push_back({keys, kind, target});
}

ConfigurationChange ConfigDraft::PendingChange(const ConfigSwitches& now) const {
    ConfigurationChange change{read_, {}, std::nullopt, std::nullopt, {}, std::nullopt};
    for (const Row& row : rows_) change.entries.push_back(row.entry);
    if (now.protect != switchesRead_.protect) change.protection = now.protect;
    if (now.language != switchesRead_.language) change.language = now.language;
    if (now.rename != switchesRead_.rename) change.renameWindows = now.rename;
    if (now.spacingSeconds != switchesRead_.spacingSeconds || now.atOnce != switchesRead_.atOnce)
        change.pacing = TeamPacing{now.spacingSeconds, now.atOnce};
    if (hotkeys_ != hotkeysRead_) change.hotkeys = hotkeys_;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const int origin = rows_[i].origin;
        if (origin >= 0 && rows_[i].entry != read_[static_cast<size_t>(origin)])
            change.edited.emplace_back(read_[static_cast<size_t>(origin)], rows_[i].entry);
    }
    return change;
}

bool ConfigDraft::HasUnsavedChanges(const ConfigSwitches& now) const {
    const ConfigurationChange change = PendingChange(now);
    return change.entries != change.read || change.protection || change.language || change.renameWindows ||
           change.hotkeys || change.pacing;
}

void ConfigDraft::Saved(const ConfigurationChange& change, std::vector<Hotkey> hotkeys, const ConfigSwitches& now) {
    read_ = change.entries;
    for (size_t i = 0; i < rows_.size(); ++i) rows_[i].origin = static_cast<int>(i);
    hotkeysRead_ = hotkeys_ = std::move(hotkeys);
    switchesRead_ = now;
}
