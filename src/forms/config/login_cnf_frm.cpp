// The QuickLogin configuration window: its layout table of some thirty controls and one handler
// a control, which is why the file is long. What the handlers work on lives in files of its
// own: the draft of rows, ticks and hotkeys (config_draft.h), the server list
// (server_choice.h), the tick boxes and the hotkey field (ui/controls.h).
#include "forms/config/login_cnf_frm.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/add_acc_frm.h"
#include "forms/config/add_client_frm.h"
#include "forms/config/autostart.h"
#include "forms/config/config_draft.h"
#include "forms/config/desktop_shortcut.h"
#include "forms/config/input_rules.h"
#include "forms/config/language_choice.h"
#include "forms/config/server_choice.h"
#include "forms/config/server_frm.h"
#include "forms/shared/games_commands.h"
#include "store/ini_handling.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace {

using namespace login_cnf_frm;

const ui::Font kVerdana{L"Verdana", 825};

// In keyboard tab order, which follows the window's reading order: the left column from top to
// bottom, each label right before its field (a screen reader names a field by the label before
// it, and a label's underlined letter reaches the field after it) and each ".." right after its
// list; then the buttons beside the list, the list, the team row and the bottom row. Drop-down
// lists get room for their open list below the box.
constexpr ui::ControlSpec kControls[] = {
    {DescrLbl[0], ui::Kind::kLabel, L"config/account", 120, 120, 975, 255},
    {LgnCmb[0], ui::Kind::kDropDownList, nullptr, 120, 360, 1695, 2000},
    {NewCmd[0], ui::Kind::kButton, L"..", 1920, 360, 375, 315},
    {DescrLbl[2], ui::Kind::kLabel, L"config/character", 120, 720, 975, 255},
    {LgnTxt[0], ui::Kind::kTextBox, nullptr, 120, 960, 1695, 300},
    {DescrLbl[3], ui::Kind::kLabel, L"config/server", 120, 1320, 975, 255},
    {LgnCmb[1], ui::Kind::kDropDownList, nullptr, 120, 1560, 1695, 2000},
    {NewCmd[2], ui::Kind::kButton, L"..", 1920, 1560, 375, 315},
    {DescrLbl[4], ui::Kind::kLabel, L"config/realm", 120, 1935, 975, 255},
    {LgnCmb[2], ui::Kind::kDropDownList, nullptr, 120, 2160, 1695, 1200},
    {DescrLbl[5], ui::Kind::kLabel, L"config/client", 120, 2520, 975, 255},
    {LgnCmb[3], ui::Kind::kDropDownList, nullptr, 120, 2760, 1695, 2000},
    {NewCmd[1], ui::Kind::kButton, L"..", 1920, 2760, 375, 315},
    {AddCmd, ui::Kind::kDefaultButton, L"config/add", 120, 3240, 2175, 375},
    {ChgCmd, ui::Kind::kButton, L"config/change", 120, 3700, 2175, 375},
    {ChgPosCmd[0], ui::Kind::kButton, L"^", 2880, 480, 375, 375},
    {DelCmd, ui::Kind::kButton, L"x", 2880, 1920, 375, 375},
    {ChgPosCmd[1], ui::Kind::kButton, L"v", 2880, 3360, 375, 375},
    {ChrLstVw, ui::Kind::kListView, nullptr, 3360, 120, 6375, 3955, nullptr, LVS_OWNERDATA},
    {Line1[0], ui::Kind::kEtchedLine, nullptr, 120, 4200, 9600, 30},
    {WinStartChk, ui::Kind::kCheckBox, L"config/autostart", 120, 4440, 3615, 255},
    {ProtectChk, ui::Kind::kCheckBox, L"config/protect", 3840, 4440, 4395, 255},
    {SaveCmd, ui::Kind::kButton, L"config/save", 8400, 4320, 1335, 375},
    {TeamLbl, ui::Kind::kLabel, L"config/team_label", 120, 4920, 3615, 255},
    {TeamTxt, ui::Kind::kTextBox, nullptr, 3840, 4860, 2175, 300},
    {TeamCmd, ui::Kind::kButton, L"config/team_save", 6120, 4830, 2175, 375},
    {TeamCmbLbl, ui::Kind::kLabel, L"config/team_list", 120, 5400, 3615, 255},
    {TeamCmb, ui::Kind::kDropDownList, nullptr, 3840, 5340, 2175, 2000},
    {TeamDelCmd, ui::Kind::kButton, L"config/team_remove", 6120, 5310, 2175, 375},
    {LangLbl, ui::Kind::kLabel, L"config/language", 120, 5880, 3615, 255},
    {LangCmb, ui::Kind::kDropDownList, nullptr, 3840, 5820, 2175, 1200},
    {HotkeyLbl, ui::Kind::kLabel, L"config/hotkey", 120, 6360, 3615, 255},
    {HotkeyTxt, ui::Kind::kHotkey, nullptr, 3840, 6300, 2175, 300},
    {HotkeyFor, ui::Kind::kLabel, L"config/hotkey_none", 6120, 6360, 3615, 255, nullptr, SS_ENDELLIPSIS},
    {RenameChk, ui::Kind::kCheckBox, L"config/rename", 120, 6840, 6000, 255},
    {ShortcutCmd, ui::Kind::kButton, L"config/shortcut", 6240, 6780, 3495, 375},
    {StartGapLbl, ui::Kind::kLabel, L"config/start_spacing", 120, 7320, 3615, 255},
    {StartGapTxt, ui::Kind::kTextBox, nullptr, 3840, 7260, 600, 300, nullptr, ES_NUMBER},
    {AtOnceLbl, ui::Kind::kLabel, L"config/at_once", 4680, 7320, 2775, 255},
    {AtOnceTxt, ui::Kind::kTextBox, nullptr, 7560, 7260, 600, 300, nullptr, ES_NUMBER},
    {GamesLbl, ui::Kind::kLabel, L"config/games_hotkey", 120, 7800, 3615, 255},
    {GamesCmb, ui::Kind::kDropDownList, nullptr, 3840, 7740, 2175, 1600},
};

// The list's columns, and where each stored field is shown.
constexpr ui::ListColumn kColumns[] = {
    {L"config/col_server", 1400},  {L"config/col_realm", 1000},       {L"config/col_character", 1500},
    {L"config/col_account", 1400}, {L"config/col_client", 700, true},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

// The field of an entry that column `column` shows.
const std::wstring& ColumnText(const QuickLoginEntry& e, int column) {
    const std::wstring* fields[] = {&e.server, &e.realm, &e.character, &e.account, &e.client};
    return *fields[std::clamp(column, 0, kColumnCount - 1)];
}

// Windows' hotkey field and RegisterHotKey name the modifier keys with different flags.
constexpr std::pair<BYTE, unsigned> kModifierFlags[] = {
    {HOTKEYF_SHIFT, MOD_SHIFT}, {HOTKEYF_CONTROL, MOD_CONTROL}, {HOTKEYF_ALT, MOD_ALT}};
BYTE FieldFlags(unsigned modifiers) {
    BYTE flags = 0;
    for (const auto& [field, modifier] : kModifierFlags)
        if (modifiers & modifier) flags |= field;
    return flags;
}
unsigned Modifiers(BYTE fieldFlags) {
    unsigned modifiers = 0;
    for (const auto& [field, modifier] : kModifierFlags)
        if (fieldFlags & field) modifiers |= modifier;
    return modifiers;
}

void FillCombo(HWND combo, const std::vector<std::wstring>& items) {
    ui::ComboClear(combo);
    for (const std::wstring& item : items) ui::ComboAdd(combo, item);
}

// Fills the box anew after its window changed the list: an entry just added is chosen, else the
// one chosen before while it is still there, else the first.
void RefillCombo(HWND combo, const std::vector<std::wstring>& before, const std::vector<std::wstring>& now) {
    const std::wstring chosen = ui::GetText(combo);
    FillCombo(combo, now);
    int select = now.empty() ? -1 : 0;
    for (size_t i = 0; i < now.size(); ++i) {
        if (std::find(before.begin(), before.end(), now[i]) == before.end()) {
            select = static_cast<int>(i);
            break;
        }
        if (now[i] == chosen) select = static_cast<int>(i);
    }
    ui::ComboSelect(combo, select);
}

class LoginCnfFrm : public ui::Form {
public:
    explicit LoginCnfFrm(Settings& settings)
        : Form({ProductTitle(LangText(L"config", L"caption")), 9855, 8205, kVerdana, true}, kControls),
          settings_(settings) {}

    void SetSaved(std::function<void()> saved) { saved_ = std::move(saved); }
    // The account and client boxes follow their windows' changes, keeping a choice.
    void FillAccountCombo() {
        std::vector<std::wstring> names = settings_.AccountNames();
        RefillCombo(Item(LgnCmb[0]), accountNames_, names);
        accountNames_ = std::move(names);
    }
    void FillClientCombo() {
        std::vector<std::wstring> names = settings_.ListSettingKeys(section::kClients);
        RefillCombo(Item(LgnCmb[3]), clientNames_, names);
        clientNames_ = std::move(names);
    }
    // The servers, those with a placeholder address marked; the chosen server stays chosen (or
    // the first with a real address is, or the first), so that a new row always has one.
    void FillServerCombo() { servers_.Fill(Item(LgnCmb[1]), settings_, ServerChoice::Fallback::kFirstReal); }
    // The server chosen in the Server box, by its name (without the placeholder mark).
    std::wstring ChosenServer() const { return servers_.Chosen(Item(LgnCmb[1])); }

protected:
    void Form_Load() override {
        HWND list = Item(ChrLstVw);
        // Ticked rows make a team; the draft keeps the ticks.
        ui::KeepTickBoxes(list, [this](int row) { ToggleTick(row); });
        ui::TakeOnlyCtrlCombinations(Item(HotkeyTxt));
        AddListColumns(ChrLstVw, kColumns);
        accountNames_ = settings_.AccountNames();
        clientNames_ = settings_.ListSettingKeys(section::kClients);
        FillCombo(Item(LgnCmb[0]), accountNames_);
        FillCombo(Item(LgnCmb[3]), clientNames_);
        FillServerCombo();
        for (int id : {LgnCmb[0], LgnCmb[3]}) ChooseItem(id, 0);
        for (const wchar_t* realm : kRealms) ui::ComboAdd(Item(LgnCmb[2]), realm);
        ChooseItem(LgnCmb[2], 0);
        autostartRead_ = AutostartExists();
        CheckItem(WinStartChk, autostartRead_);
        const TeamPacing pacing = settings_.Pacing();
        const ConfigSwitches switches{settings_.PasswordsProtected(), settings_.RenamesGameWindows(),
                                      SelectedLanguage(), pacing.spacingSeconds, pacing.atOnce};
        CheckItem(ProtectChk, switches.protect);
        CheckItem(RenameChk, switches.rename);
        for (const wchar_t* name : kGamesCommands) ui::ComboAdd(Item(GamesCmb), GamesCommandCaption(name));
        SetItemText(StartGapTxt, std::to_wstring(switches.spacingSeconds));
        SetItemText(AtOnceTxt, std::to_wstring(switches.atOnce));
        for (int id : {StartGapTxt, AtOnceTxt}) SendMessageW(Item(id), EM_LIMITTEXT, 3, 0);
        languages_ = AvailableLanguages();
        FillLanguageCombo(Item(LangCmb), languages_, switches.language);
        std::vector<QuickLoginEntry> entries;
        for (const std::wstring& text : settings_.ReadQuickLoginTexts())
            entries.push_back(QuickLoginEntry::FromText(text));
        draft_.Read(std::move(entries), settings_.Hotkeys(), switches);
        ShowRowCount();
        FillTeamCombo();
        // The symbol buttons say what they do.
        ui::AddToolTip(hwnd(), Item(ChgPosCmd[0]), LangText(L"config", L"tip_up"));
        ui::AddToolTip(hwnd(), Item(ChgPosCmd[1]), LangText(L"config", L"tip_down"));
        ui::AddToolTip(hwnd(), Item(DelCmd), LangText(L"config", L"tip_remove"));
        ui::AddToolTip(hwnd(), Item(NewCmd[0]), LangText(L"config", L"tip_accounts"));
        ui::AddToolTip(hwnd(), Item(NewCmd[1]), LangText(L"config", L"tip_clients"));
        ui::AddToolTip(hwnd(), Item(NewCmd[2]), LangText(L"config", L"tip_servers"));
    }

    void OnCommand(int id, int code) override {
        // Enter in the team's name box saves the team: its button is the default one meanwhile.
        if (id == TeamTxt && (code == EN_SETFOCUS || code == EN_KILLFOCUS))
            SendMessageW(hwnd(), DM_SETDEFID, code == EN_SETFOCUS ? TeamCmd : AddCmd, 0);
        if (id == TeamCmb && code == CBN_SELCHANGE) TeamCmb_Click();
        if (id == GamesCmb && code == CBN_SELCHANGE) GamesCmb_Click();
        if (id == HotkeyTxt && code == EN_CHANGE) HotkeyTxt_Change();
        if (code != BN_CLICKED) return;
        if (id == AddCmd) AddCmd_Click();
        if (id == ChgPosCmd[0] || id == ChgPosCmd[1]) ChgPosCmd_Click(id == ChgPosCmd[0] ? 0 : 1);
        if (id == DelCmd) DelCmd_Click();
        for (int index = 0; index < 3; ++index)
            if (id == NewCmd[index]) NewCmd_Click(index);
        if (id == SaveCmd) SaveCmd_Click();
        if (id == TeamCmd) TeamCmd_Click();
        if (id == ChgCmd) ChgCmd_Click();
        if (id == TeamDelCmd) TeamDelCmd_Click();
        if (id == ShortcutCmd) ShortcutCmd_Click();
    }

    LRESULT OnNotify(NMHDR& header) override {
        if (header.idFrom != static_cast<UINT_PTR>(ChrLstVw)) return 0;
        if (header.code == LVN_GETDISPINFOW) ChrLstVw_GetDispInfo(reinterpret_cast<NMLVDISPINFOW&>(header).item);
        if (header.code == LVN_ITEMCHANGED) {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) ChrLstVw_Click(change.iItem);
        }
        return 0;
    }

private:
    // What the list shows of a row: a column's text, and whether its box is ticked.
    void ChrLstVw_GetDispInfo(LVITEMW& item) const {
        if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= draft_.rows().size()) return;
        const ConfigDraft::Row& row = draft_.rows()[static_cast<size_t>(item.iItem)];
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            lstrcpynW(item.pszText, ColumnText(row.entry, item.iSubItem).c_str(), item.cchTextMax);
        if (item.mask & LVIF_STATE) {
            item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.ticked ? 2 : 1);
            item.stateMask |= LVIS_STATEIMAGEMASK;
        }
    }
    void ToggleTick(int index) {
        if (index < 0) return;
        draft_.ToggleTick(static_cast<size_t>(index));
        ListView_RedrawItems(Item(ChrLstVw), index, index);
    }
    // The list learns how many rows there are, keeping its scroll place; nothing stays selected.
    void ShowRowCount() {
        HWND list = Item(ChrLstVw);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemCountEx(list, static_cast<int>(draft_.rows().size()), LVSICF_NOSCROLL);
        InvalidateRect(list, nullptr, FALSE);
    }

    // The ticked QuickLogins become the team named in the box (replacing one of that name);
    // with none ticked, the team of that name is removed after a question. The rows and the
    // switch are saved with the team, so that the team never names a row that is not saved.
    void TeamCmd_Click() {
        const std::wstring name = ItemText(TeamTxt);
        std::optional<std::wstring> refusal;
        if (name.empty())
            refusal = LangText(L"config", L"team_no_name");
        else if (name.find_first_of(L"[]") != std::wstring::npos)
            refusal = LangText(L"config", L"team_brackets");
        else
            refusal = RefuseValue(LangText(L"config", L"field_team"), name, StoredAs::kKey);
        const std::vector<QuickLoginEntry> members = draft_.Ticked();
        if (!refusal && members.empty() &&
            ui::MsgBox(LangFormat(L"config", L"team_none_ticked", {name}), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        if (refusal) {
            ShowError(*refusal);
            return;
        }
        SaveTeam(ConfigurationChange::Team{name, members}, Item(TeamCmd));
    }

    // Saves (or, without members, removes) a team together with the rows and the switch, so
    // that the team never names a row that is not saved.
    void SaveTeam(ConfigurationChange::Team team, HWND button) {
        ConfigurationChange change = PendingChange();
        change.team = std::move(team);
        if (!StoreEntered(button, std::nullopt, [&] { return settings_.SaveConfiguration(change); })) return;
        Saved(change);
        // A saved team stays shown: chosen in the list, its members ticked. A removed one goes.
        const auto saved = std::find(teamNames_.begin(), teamNames_.end(), change.team->name);
        if (change.team->members.empty() || saved == teamNames_.end()) {
            SetItemText(TeamTxt, L"");
            draft_.TickMembers({});
            InvalidateRect(Item(ChrLstVw), nullptr, FALSE);
            if (hotkeyTarget_ && hotkeyTarget_->kind == Hotkey::Kind::kTeam) ShowNoHotkeyTarget();
        } else {
            ChooseItem(TeamCmb, static_cast<int>(saved - teamNames_.begin()));
            ShowHotkeyOf({Hotkey::Kind::kTeam, *saved}, LangFormat(L"tray", L"team", {*saved}));
        }
        SetFocus(Item(TeamTxt));
    }

    // Index 0 opens the account window, 1 the client window, 2 the server window.
    void NewCmd_Click(int index) {
        if (index == 0) ShowAccountWindow(hwnd(), settings_, [this] { FillAccountCombo(); });
        if (index == 1) ShowClientWindow(hwnd(), settings_, [this] { FillClientCombo(); });
        if (index == 2) ShowServerWindow(hwnd(), settings_, [this] { FillServerCombo(); });
    }

    // The QuickLogin that the fields describe, or nothing (after saying why) when it could not
    // log in or the file could not hold it.
    std::optional<QuickLoginEntry> EntryFromFields() {
        const QuickLoginEntry entry{ItemText(LgnTxt[0]), ChosenServer(), ItemText(LgnCmb[2]), ItemText(LgnCmb[0]),
                                    ItemText(LgnCmb[3])};
        // A row without character, server, account or client could never log in.
        const std::pair<int, std::wstring> empty =
            entry.character.empty() ? std::pair{LgnTxt[0], LangText(L"config", L"no_character")}
            : entry.server.empty()  ? std::pair{LgnCmb[1], LangText(L"config", L"no_server")}
            : entry.account.empty() ? std::pair{LgnCmb[0], LangText(L"config", L"no_account")}
            : entry.client.empty()  ? std::pair{LgnCmb[3], LangText(L"config", L"no_client")}
                                    : std::pair{0, std::wstring()};
        if (!empty.second.empty()) {
            ShowError(empty.second);
            SetFocus(Item(empty.first));
            return std::nullopt;
        }
        if (auto refusal = RefuseQuickLogin(entry)) {
            ShowError(*refusal);
            return std::nullopt;
        }
        return entry;
    }

    void AddCmd_Click() {
        const std::optional<QuickLoginEntry> entry = EntryFromFields();
        if (!entry) return;
        draft_.Add(*entry);
        ListView_SetItemCountEx(Item(ChrLstVw), static_cast<int>(draft_.rows().size()),
                                LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    }

    // The selected row takes the fields' values; saved, the teams that hold it follow it.
    void ChgCmd_Click() {
        HWND list = Item(ChrLstVw);
        const int selected = ui::ListViewSelection(list);
        if (selected < 0) {
            ui::MsgBox(LangText(L"config", L"choose_to_change"), MB_OK | MB_ICONINFORMATION);
            return;
        }
        const std::optional<QuickLoginEntry> entry = EntryFromFields();
        if (!entry) return;
        // The row's hotkey goes with it, and the hotkey field speaks for the row as it is now.
        draft_.Change(static_cast<size_t>(selected), *entry);
        ShowHotkeyOf({Hotkey::Kind::kQuickLogin, entry->ToText()}, entry->Caption());
        ListView_RedrawItems(list, selected, selected);
        SetFocus(list);
    }

    // A row chosen in the list fills the fields, to change it or to make a similar one.
    void ChrLstVw_Click(int row) {
        if (row < 0 || static_cast<size_t>(row) >= draft_.rows().size()) return;
        const QuickLoginEntry entry = draft_.rows()[static_cast<size_t>(row)].entry;
        SetItemText(LgnTxt[0], entry.character);
        SelectExactly(Item(LgnCmb[0]), entry.account);
        SelectExactly(Item(LgnCmb[2]), entry.realm);
        SelectExactly(Item(LgnCmb[3]), entry.client);
        servers_.Choose(Item(LgnCmb[1]), entry.server);
        ShowHotkeyOf({Hotkey::Kind::kQuickLogin, entry.ToText()}, entry.Caption());
    }

    // The hotkey field speaks for the QuickLogin or team chosen last.
    struct HotkeyTarget {
        Hotkey::Kind kind;
        std::wstring target;
    };
    void ShowHotkeyOf(const HotkeyTarget& target, const std::wstring& caption) {
        hotkeyTarget_ = target;
        WORD value = 0;
        unsigned modifiers = 0, key = 0;
        if (Hotkey::ParseKeys(draft_.HotkeyOf(target.kind, target.target), modifiers, key))
            value = MAKEWORD(key, FieldFlags(modifiers));
        showingHotkey_ = true;
        SendMessageW(Item(HotkeyTxt), HKM_SETHOTKEY, value, 0);
        showingHotkey_ = false;
        SetItemText(HotkeyFor, LangFormat(L"config", L"hotkey_for", {caption}));
    }

    // The hotkey field speaks for the command for all running games chosen here.
    void GamesCmb_Click() {
        const LRESULT chosen = SendMessageW(Item(GamesCmb), CB_GETCURSEL, 0, 0);
        if (chosen < 0 || static_cast<size_t>(chosen) >= std::size(kGamesCommands)) return;
        const wchar_t* name = kGamesCommands[chosen];
        ShowHotkeyOf({Hotkey::Kind::kGames, name}, GamesCommandCaption(name));
    }

    // A shortcut on the desktop for the chosen QuickLogin or team, as the file holds it: the
    // shortcut names it, so it must be saved and its name must be its own.
    void ShortcutCmd_Click() {
        if (!hotkeyTarget_) {
            ShowError(LangText(L"config", L"shortcut_choose"));
            return;
        }
        const bool team = hotkeyTarget_->kind == Hotkey::Kind::kTeam;
        const std::wstring& target = hotkeyTarget_->target;
        const std::wstring caption = team ? target : QuickLoginEntry::QuickLoginCaption(target);
        std::vector<std::wstring> names;
        if (team) {
            names = settings_.TeamNames();
        } else {
            for (const std::wstring& entry : settings_.ReadQuickLoginTexts())
                names.push_back(QuickLoginEntry::QuickLoginCaption(entry));
        }
        const auto sameName = [&](const std::wstring& name) { return UpperCase(name) == UpperCase(caption); };
        const bool saved = team ? std::any_of(names.begin(), names.end(), sameName) : settings_.HasQuickLogin(target);
        if (!saved) {
            ShowError(LangFormat(L"config", L"shortcut_save_first", {caption}));
            return;
        }
        if (std::count_if(names.begin(), names.end(), sameName) > 1) {
            ShowError(LangFormat(L"config", L"shortcut_ambiguous", {caption}));
            return;
        }
        const std::wstring title = team ? LangFormat(L"config", L"shortcut_team", {caption}) : caption;
        const std::optional<std::wstring> made =
            MakeDesktopShortcut(title, team ? TeamArguments(caption) : LoginArguments(caption));
        if (!made) {
            ShowError(LangText(L"config", L"shortcut_failed"));
            return;
        }
        ui::MsgBox(LangFormat(L"config", L"shortcut_made", {title, *made}), MB_OK | MB_ICONINFORMATION);
    }

    // The hotkey field speaks for nothing until a row or team is chosen.
    void ShowNoHotkeyTarget() {
        hotkeyTarget_.reset();
        showingHotkey_ = true;
        SendMessageW(Item(HotkeyTxt), HKM_SETHOTKEY, 0, 0);
        showingHotkey_ = false;
        SetItemText(HotkeyFor, LangText(L"config", L"hotkey_none"));
    }

    // A key combination typed into the hotkey field belongs to the chosen QuickLogin or team
    // from now on (and to nothing else); an empty field takes its hotkey away.
    void HotkeyTxt_Change() {
        if (showingHotkey_ || !hotkeyTarget_) return;
        const WORD value = LOWORD(SendMessageW(Item(HotkeyTxt), HKM_GETHOTKEY, 0, 0));
        if (LOBYTE(value) && !(HIBYTE(value) & HOTKEYF_CONTROL)) return;  // only with Ctrl
        const std::wstring keys =
            LOBYTE(value) ? Hotkey::KeysText(Modifiers(HIBYTE(value)), LOBYTE(value)) : std::wstring();
        draft_.SetHotkey(hotkeyTarget_->kind, hotkeyTarget_->target, keys);
    }
    static void SelectExactly(HWND combo, const std::wstring& text) {
        ui::ComboSelect(combo, static_cast<int>(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                             reinterpret_cast<LPARAM>(text.c_str()))));
    }

    // The saved teams, for choosing one.
    void FillTeamCombo() {
        teamNames_ = settings_.TeamNames();
        FillCombo(Item(TeamCmb), teamNames_);
    }

    // A saved team chosen: its name goes into the box and its members are ticked.
    void TeamCmb_Click() {
        const int index = static_cast<int>(SendMessageW(Item(TeamCmb), CB_GETCURSEL, 0, 0));
        if (index < 0 || static_cast<size_t>(index) >= teamNames_.size()) return;
        const std::wstring& name = teamNames_[static_cast<size_t>(index)];
        SetItemText(TeamTxt, name);
        ShowHotkeyOf({Hotkey::Kind::kTeam, name}, LangFormat(L"tray", L"team", {name}));
        draft_.TickMembers(settings_.TeamMembers(name));
        InvalidateRect(Item(ChrLstVw), nullptr, FALSE);
    }

    // Removes the team named in the box, after a question.
    void TeamDelCmd_Click() {
        const std::wstring name = ItemText(TeamTxt);
        if (std::find(teamNames_.begin(), teamNames_.end(), name) == teamNames_.end()) {
            ui::MsgBox(
                name.empty() ? LangText(L"config", L"choose_team") : LangFormat(L"config", L"no_such_team", {name}),
                MB_OK | MB_ICONINFORMATION);
            return;
        }
        if (ui::MsgBox(LangFormat(L"config", L"remove_team", {name}), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        SaveTeam(ConfigurationChange::Team{name, {}}, Item(TeamDelCmd));
    }

    // Index 0 moves the selected row up, 1 down.
    void ChgPosCmd_Click(int index) {
        const int step = index == 0 ? -1 : +1;
        HWND list = Item(ChrLstVw);
        const int from = ui::ListViewSelection(list);
        SetFocus(list);
        if (from < 0) return;
        const int to = from + step;
        if (!draft_.Move(static_cast<size_t>(from), step)) {
            ui::ListViewSelect(list, from);
            return;
        }
        ListView_RedrawItems(list, std::min(from, to), std::max(from, to));
        ui::ListViewSelect(list, to);
    }

    void DelCmd_Click() {
        HWND list = Item(ChrLstVw);
        const int selected = ui::ListViewSelection(list);
        if (selected < 0) {
            ui::MsgBox(LangText(L"config", L"choose_to_remove"), MB_OK | MB_ICONINFORMATION);
            return;
        }
        const QuickLoginEntry entry = draft_.rows()[static_cast<size_t>(selected)].entry;
        if (ui::MsgBox(LangFormat(L"config", L"remove_row", {entry.Caption()}), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        draft_.Remove(static_cast<size_t>(selected));
        ShowRowCount();
        if (hotkeyTarget_ && hotkeyTarget_->kind == Hotkey::Kind::kQuickLogin &&
            QuickLoginEntry::Same(hotkeyTarget_->target, entry.ToText()))
            ShowNoHotkeyTarget();
    }

    // The switches as the window shows them now.
    // The pacing fields take digits only; an empty one stands for its default, and a number out
    // of range for the nearest one allowed.
    ConfigSwitches Switches() const {
        return {IsItemChecked(ProtectChk), IsItemChecked(RenameChk), ChosenLanguage(Item(LangCmb), languages_),
                TeamPacing::SpacingFrom(ItemText(StartGapTxt)), TeamPacing::AtOnceFrom(ItemText(AtOnceTxt))};
    }
    // What a save would change against what the window read.
    ConfigurationChange PendingChange() const { return draft_.PendingChange(Switches()); }
    bool HasUnsavedChanges() const {
        return draft_.HasUnsavedChanges(Switches()) || IsItemChecked(WinStartChk) != autostartRead_;
    }

    // The file now holds what the change wrote: later saves compare with that.
    void Saved(const ConfigurationChange& change) {
        const ConfigSwitches now = Switches();
        draft_.Saved(change, settings_.Hotkeys(), now);
        // The pacing fields show what was saved: a number out of range became the nearest allowed.
        SetItemText(StartGapTxt, std::to_wstring(now.spacingSeconds));
        SetItemText(AtOnceTxt, std::to_wstring(now.atOnce));
        // The menu and every window opened from now on speak the chosen language.
        if (change.language) SelectLanguage(*change.language);
        FillTeamCombo();
        if (saved_) saved_();  // the tray lists the QuickLogins and teams
    }

    // Writes the rows that changed and the protection switch, in one transaction.
    void SaveCmd_Click() {
        const ConfigurationChange change = PendingChange();
        SaveResult saved;
        {
            const ui::DisabledWhile busy(Item(SaveCmd));
            saved = settings_.SaveConfiguration(change);
        }
        if (!saved.ok()) {
            ShowError(WriteFailedText(saved));  // the rows stay in the window
            return;
        }
        ReportMissingBackup(saved);
        Saved(change);
        const bool autostart = IsItemChecked(WinStartChk);
        if (autostart && !CreateAutostart()) {
            ShowError(LangText(L"config", L"autostart_failed"));
            return;
        }
        if (!autostart) RemoveAutostart();
        Unload();
    }

    // The close box or Escape: unsaved changes are not dropped without a question.
    void OnClose() override {
        if (!HasUnsavedChanges()) {
            Unload();
            return;
        }
        switch (ui::MsgBox(LangText(L"config", L"save_changes"), MB_YESNOCANCEL | MB_ICONQUESTION)) {
            case IDYES: SaveCmd_Click(); break;
            case IDNO: Unload(); break;
            default: break;
        }
    }

    Settings& settings_;
    ServerChoice servers_;                                  // the Server box
    std::vector<std::wstring> accountNames_, clientNames_;  // the Account and Client boxes' items
    ConfigDraft draft_;                    // the rows, ticks, hotkeys and switches, and what a save would change
    std::vector<std::wstring> teamNames_;  // the Team box's teams, in its order
    std::vector<Language> languages_;      // the Language box's languages, in its order
    std::optional<HotkeyTarget> hotkeyTarget_;
    bool showingHotkey_ = false;  // the field is being set to a stored hotkey: that is no change
    bool autostartRead_ = false;
    std::function<void()> saved_;
};

ui::SingleWindow<LoginCnfFrm> g_window;

}  // namespace

void ShowLoginConfig(Settings& settings, std::function<void()> saved) {
    if (!g_window.IsLoaded() && !CheckSettingsBeforeUse(settings)) return;
    LoginCnfFrm& window = g_window.Get(settings);
    window.SetSaved(std::move(saved));
    const bool opening = !window.Loaded();
    window.Show();
    // A file that another program took hold of while the window read it was not read whole.
    if (const ReadProblem problem = opening ? settings.CheckReadable(0) : ReadProblem{}; !problem.ok()) {
        window.Unload();
        ShowReadProblem(settings, problem);
    }
}
