#include "forms/config/login_cnf_frm.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/add_acc_frm.h"
#include "forms/config/add_client_frm.h"
#include "forms/config/autostart.h"
#include "forms/config/input_rules.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace {

enum Id : int {
    kAccountCmb = 200,  // LgnCmb(0)
    kServerCmb,         // LgnCmb(1)
    kRealmCmb,          // LgnCmb(2)
    kClientCmb,         // LgnCmb(3)
    kCharTxt = 210,     // LgnTxt(0)
    kNewAccount = 220,  // NewCmd(0)
    kNewClient,         // NewCmd(1)
    kAdd = 230,
    kUp = 240,          // ChgPosCmd(0)
    kDown,              // ChgPosCmd(1)
    kDelete = 250,
    kList = 260,
    kWinStart = 270,
    kSave = 280,
    kLblAccount = 300, kLblChar, kLblServer, kLblRealm, kLblClient,
    kLine = 310,
};

const ui::Font kVerdana{L"Verdana", 825};

// In keyboard tab order. Drop-down lists get room for their open list below the box.
constexpr ui::ControlSpec kControls[] = {
    {kAccountCmb, ui::Kind::kDropDownList, nullptr, 120, 360, 1695, 2000},
    {kCharTxt, ui::Kind::kTextBox, nullptr, 120, 960, 1695, 300},
    {kServerCmb, ui::Kind::kDropDownList, nullptr, 120, 1560, 1695, 2000},
    {kRealmCmb, ui::Kind::kDropDownList, nullptr, 120, 2160, 1695, 1200},
    {kClientCmb, ui::Kind::kDropDownList, nullptr, 120, 2760, 1695, 2000},
    {kDelete, ui::Kind::kButton, L"x", 2880, 1680, 375, 375},
    {kAdd, ui::Kind::kDefaultButton, L"Hinzufügen >>>", 120, 3240, 2175, 375},
    {kSave, ui::Kind::kButton, L"Speichern", 8400, 3960, 1335, 375},
    {kLblRealm, ui::Kind::kLabel, L"Reich:", 120, 1935, 975, 255},
    {kLblServer, ui::Kind::kLabel, L"Server:", 120, 1320, 975, 255},
    {kLblChar, ui::Kind::kLabel, L"Charname:", 120, 720, 975, 255},
    {kLblAccount, ui::Kind::kLabel, L"Account:", 120, 120, 975, 255},
    {kList, ui::Kind::kListView, nullptr, 3360, 120, 6375, 3615},
    {kUp, ui::Kind::kButton, L"^", 2880, 480, 375, 375},
    {kDown, ui::Kind::kButton, L"v", 2880, 3000, 375, 375},
    {kLblClient, ui::Kind::kLabel, L"Client:", 120, 2520, 975, 255},
    {kNewAccount, ui::Kind::kButton, L"..", 1920, 360, 375, 315},
    {kNewClient, ui::Kind::kButton, L"..", 1920, 2760, 375, 315},
    {kWinStart, ui::Kind::kCheckBox, L"Programmstart bei Windows-Start", 120, 4080, 3615, 255},
    {kLine, ui::Kind::kEtchedLine, nullptr, 120, 3840, 9600, 30},
};

// The list's columns, and where each stored field is shown.
struct Column {
    const wchar_t* header;
    int widthTwips;
    bool right;
};
constexpr Column kColumns[] = {
    {L"Server", 1400, false}, {L"Reich", 1000, false}, {L"Charname", 1500, false},
    {L"Account", 1400, false}, {L"Client", 700, true},
};
constexpr int kColumnCount = 5;

std::vector<std::wstring> RowOf(const QuickLoginEntry& e) {
    return {e.server, e.realm, e.character, e.account, e.client};
}
QuickLoginEntry EntryOf(const std::vector<std::wstring>& row) { return {row[2], row[0], row[1], row[3], row[4]}; }

void FillCombo(HWND combo, const std::vector<std::wstring>& items) {
    ui::ComboClear(combo);
    for (const std::wstring& item : items) ui::ComboAdd(combo, item);
}

class LoginCnfFrm : public ui::Form {
public:
    LoginCnfFrm()
        : Form({std::wstring(kProductName) + L" :: Konfiguration der QuickLogins", 9855, 4455, kVerdana, true},
               kControls) {}

    void SetSaved(std::function<void()> saved) { saved_ = std::move(saved); }
    void RefillAccounts() { FillCombo(Item(kAccountCmb), AccountNames()); }
    void RefillClients() { FillCombo(Item(kClientCmb), ListSettingKeys(section::kClients)); }

protected:
    void OnLoad() override {
        HWND list = Item(kList);
        for (int i = 0; i < kColumnCount; ++i)
            ui::ListViewAddColumn(list, i, kColumns[i].header, Px(kColumns[i].widthTwips), kColumns[i].right);
        RefillAccounts();
        RefillClients();
        FillCombo(Item(kServerCmb), ListSettingKeys(section::kServer));
        for (int id : {kAccountCmb, kServerCmb, kClientCmb}) ui::ComboSelect(Item(id), 0);
        for (const wchar_t* realm : {L"Albion", L"Midgard", L"Hibernia"}) ui::ComboAdd(Item(kRealmCmb), realm);
        ui::ComboSelect(Item(kRealmCmb), 0);
        ui::SetChecked(Item(kWinStart), AutostartExists());
        for (const std::wstring& text : ReadQuickLoginTexts())
            ui::ListViewInsertRow(list, ui::ListViewCount(list), RowOf(QuickLoginEntry::FromText(text)));
        ui::AddToolTip(hwnd(), Item(kUp), L"Position nach oben");
        ui::AddToolTip(hwnd(), Item(kDown), L"Position nach unten");
    }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
            case kAdd: Add(); break;
            case kUp: Move(-1); break;
            case kDown: Move(+1); break;
            case kDelete: Remove(); break;
            case kNewAccount: ShowAccountWindow(hwnd(), [this] { RefillAccounts(); }); break;
            case kNewClient: ShowClientWindow(hwnd(), [this] { RefillClients(); }); break;
            case kSave: Save(); break;
            default: break;
        }
    }

private:
    void Add() {
        const QuickLoginEntry entry{ui::GetText(Item(kCharTxt)), ui::GetText(Item(kServerCmb)),
                                    ui::GetText(Item(kRealmCmb)), ui::GetText(Item(kAccountCmb)),
                                    ui::GetText(Item(kClientCmb))};
        if (auto refusal = RefuseQuickLogin(entry)) {
            ShowError(*refusal);
            return;
        }
        HWND list = Item(kList);
        ui::ListViewInsertRow(list, ui::ListViewCount(list), RowOf(entry));
    }

    void Move(int step) {
        HWND list = Item(kList);
        const int from = ui::ListViewSelection(list);
        SetFocus(list);
        if (from < 0) return;
        const int to = from + step;
        if (to < 0 || to >= ui::ListViewCount(list)) {
            ui::ListViewSelect(list, from);
            return;
        }
        const std::vector<std::wstring> row = ui::ListViewRow(list, from, kColumnCount);
        ui::ListViewDelete(list, from);
        ui::ListViewInsertRow(list, to, row);
        ui::ListViewSelect(list, to);
    }

    void Remove() {
        HWND list = Item(kList);
        const int selected = ui::ListViewSelection(list);
        if (selected < 0) {
            ui::MsgBox(L"Bitte wählen Sie zuerst den QuickLogin aus, der entfernt werden soll.", MB_OK | MB_ICONINFORMATION);
            return;
        }
        const QuickLoginEntry entry = EntryOf(ui::ListViewRow(list, selected, kColumnCount));
        const std::wstring name = entry.server + L"/" + entry.realm + L": " + entry.character;
        if (ui::MsgBox(L"QuickLogin „" + name + L"“ wirklich entfernen?", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        ui::ListViewDelete(list, selected);
        removedRows_ = true;
    }

    // Writes the rows as entries "0" to n - 1; after a removal also deletes the entries above,
    // which would otherwise come back at the next load.
    void Save() {
        HWND list = Item(kList);
        std::vector<QuickLoginEntry> entries;
        for (int i = 0, count = ui::ListViewCount(list); i < count; ++i)
            entries.push_back(EntryOf(ui::ListViewRow(list, i, kColumnCount)));
        ui::SetEnabled(Item(kSave), false);
        const SaveResult saved = ReplaceQuickLogins(entries, removedRows_);
        ui::SetEnabled(Item(kSave), true);
        if (!saved.ok()) {
            ShowError(WriteFailedText(saved));  // the rows stay in the window
            return;
        }
        removedRows_ = false;
        if (saved_) saved_();
        const bool autostart = ui::IsChecked(Item(kWinStart));
        if (autostart && !CreateAutostart()) {
            ShowError(L"Die QuickLogins sind gespeichert, aber die Verknüpfung im Autostart-Ordner von Windows "
                      L"konnte nicht angelegt werden. Corvalink startet daher nicht mit Windows.");
            return;
        }
        if (!autostart) RemoveAutostart();
        Unload();
    }

    bool removedRows_ = false;
    std::function<void()> saved_;
};

std::unique_ptr<LoginCnfFrm>& Slot() {
    static std::unique_ptr<LoginCnfFrm> window;
    return window;
}

bool IsOpen() { return Slot() && Slot()->Loaded(); }

}  // namespace

void ShowLoginConfig(std::function<void()> saved) {
    if (!IsOpen()) Slot() = std::make_unique<LoginCnfFrm>();
    Slot()->SetSaved(std::move(saved));
    Slot()->Show();
}
