// The configuration window's draft, without the window: sequences of edits and what a save of
// them would write.
#include <gtest/gtest.h>

#include <functional>

#include "forms/config/config_draft.h"

namespace {

const QuickLoginEntry kA = QuickLoginEntry::FromText(L"Aldwin,S,Albion,acc1,Main");
const QuickLoginEntry kB = QuickLoginEntry::FromText(L"Bea,S,Midgard,acc2,Main");
const QuickLoginEntry kC = QuickLoginEntry::FromText(L"Cyr,S,Hibernia,acc1,Main");
const Hotkey kHotkeyA{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, kA.ToText()};

ConfigDraft ReadDraft() {
    ConfigDraft draft;
    draft.Read({kA, kB}, {kHotkeyA}, {});
    return draft;
}

TEST(ConfigDraft, EditsAndWhatASaveWrites) {
    using Entries = std::vector<QuickLoginEntry>;
    using Edited = std::vector<std::pair<QuickLoginEntry, QuickLoginEntry>>;
    const struct {
        const char* name;
        std::function<void(ConfigDraft&)> edit;
        Entries entries;
        Edited edited;
        std::optional<std::vector<Hotkey>> hotkeys;
    } cases[] = {
        {"nothing", [](ConfigDraft&) {}, {kA, kB}, {}, std::nullopt},
        {"a row added", [](ConfigDraft& d) { d.Add(kC); }, {kA, kB, kC}, {}, std::nullopt},
        {"a row changed: its hotkey follows",
         [](ConfigDraft& d) { d.Change(0, kC); },
         {kC, kB},
         {{kA, kC}},
         std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, kC.ToText()}}},
        {"a row moved: nothing edited", [](ConfigDraft& d) { EXPECT_TRUE(d.Move(1, -1)); }, {kB, kA}, {}, std::nullopt},
        {"a move past the end", [](ConfigDraft& d) { EXPECT_FALSE(d.Move(1, +1)); }, {kA, kB}, {}, std::nullopt},
        {"moved, then changed",
         [](ConfigDraft& d) {
             d.Move(0, +1);
             d.Change(1, kC);
         },
         {kB, kC},
         {{kA, kC}},
         std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kQuickLogin, kC.ToText()}}},
        {"a row removed", [](ConfigDraft& d) { d.Remove(0); }, {kB}, {}, std::nullopt},
        {"the same keys given to a team take them from the row",
         [](ConfigDraft& d) { d.SetHotkey(Hotkey::Kind::kTeam, L"Duo", L"Strg+Alt+1"); },
         {kA, kB},
         {},
         std::vector<Hotkey>{{L"Strg+Alt+1", Hotkey::Kind::kTeam, L"Duo"}}},
        {"a hotkey taken away",
         [](ConfigDraft& d) { d.SetHotkey(Hotkey::Kind::kQuickLogin, kA.ToText(), L""); },
         {kA, kB},
         {},
         std::vector<Hotkey>{}},
    };
    for (const auto& c : cases) {
        ConfigDraft draft = ReadDraft();
        c.edit(draft);
        const ConfigurationChange change = draft.PendingChange({});
        EXPECT_EQ(change.read, (Entries{kA, kB})) << c.name;
        EXPECT_EQ(change.entries, c.entries) << c.name;
        EXPECT_EQ(change.edited, c.edited) << c.name;
        EXPECT_EQ(change.hotkeys, c.hotkeys) << c.name;
        const bool changed = c.entries != Entries{kA, kB} || c.hotkeys.has_value();
        EXPECT_EQ(draft.HasUnsavedChanges({}), changed) << c.name;
        // Saved, the draft compares with what the file now holds.
        draft.Saved(change, c.hotkeys.value_or(std::vector<Hotkey>{kHotkeyA}), {});
        EXPECT_FALSE(draft.HasUnsavedChanges({})) << c.name;
        EXPECT_TRUE(draft.PendingChange({}).edited.empty()) << c.name;
    }
}

TEST(ConfigDraft, SwitchesAndTicks) {
    ConfigDraft draft = ReadDraft();
    const ConfigurationChange switched = draft.PendingChange({true, false, L"en"});
    EXPECT_EQ(switched.protection, true);
    EXPECT_EQ(switched.renameWindows, false);
    EXPECT_EQ(switched.language, L"en");
    EXPECT_TRUE(draft.HasUnsavedChanges({true, true, L""}));
    const ConfigurationChange paced = draft.PendingChange({false, true, L"", 0, 4});
    EXPECT_EQ(paced.pacing, (TeamPacing{0, 4}));
    EXPECT_FALSE(draft.PendingChange({}).pacing) << "unchanged pacing is not written";

    draft.ToggleTick(1);
    EXPECT_EQ(draft.Ticked(), std::vector<QuickLoginEntry>{kB});
    EXPECT_FALSE(draft.HasUnsavedChanges({})) << "ticks are no change to save";
    // A team's members, kept as whole entries (one written by a later version with a sixth field).
    draft.TickMembers({kA.ToText() + L",1"});
    EXPECT_EQ(draft.Ticked(), std::vector<QuickLoginEntry>{kA});
    EXPECT_EQ(draft.HotkeyOf(Hotkey::Kind::kQuickLogin, kA.ToText()), L"Strg+Alt+1");
    EXPECT_EQ(draft.HotkeyOf(Hotkey::Kind::kQuickLogin, kB.ToText()), L"");
}

}  // namespace
