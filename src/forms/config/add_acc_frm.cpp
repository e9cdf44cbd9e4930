#include "forms/config/add_acc_frm.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/input_rules.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using namespace add_acc_frm;

// In keyboard tab order: the login box takes the focus first.
constexpr ui::ControlSpec kControls[] = {
    {DescrLbl[1], ui::Kind::kLabel, L"Account Passwort:", 120, 720, 1695, 255},
    {DescrLbl[0], ui::Kind::kLabel, L"Account Login:", 120, 120, 1695, 255},
    {LgnTxt[0], ui::Kind::kTextBox, nullptr, 120, 360, 1695, 300},
    {LgnTxt[1], ui::Kind::kPasswordBox, nullptr, 120, 960, 1695, 300},
    {AddCmd, ui::Kind::kDefaultButton, L"Hinzufügen >>>", 120, 1440, 1695, 375},
    {AccLst, ui::Kind::kListBox, nullptr, 2040, 120, 1815, 1740},
};

class AddAccFrm : public ui::Form {
public:
    AddAccFrm(Settings& settings, std::function<void()> changed)
        : Form({std::wstring(kProductName) + L" :: Account hinzufügen", 3990, 1995, {}}, kControls),
          settings_(settings), changed_(std::move(changed)) {}

protected:
    void Form_Load() override {
        RefreshAccountList();
        SetFocus(Item(LgnTxt[0]));
    }

    void OnCommand(int id, int code) override {
        if (id == AddCmd && code == BN_CLICKED) AddCmd_Click();
        if (id == AccLst && code == LBN_DBLCLK) AccLst_DblClick();
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        // A right click on the list (or its context-menu key) offers to remove the selected account.
        handled = msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == Item(AccLst);
        if (handled) AccLst_MouseDown();
        return 0;
    }

private:
    void RefreshAccountList() {
        ui::ListClear(Item(AccLst));
        for (const std::wstring& name : settings_.AccountNames()) ui::ListAdd(Item(AccLst), name);
        if (changed_) changed_();
    }

    void AccLst_DblClick() {
        const int selected = ui::ListSelection(Item(AccLst));
        if (selected >= 0) ui::SetText(Item(LgnTxt[0]), ui::ListItemText(Item(AccLst), selected));
    }

    void AddCmd_Click() {
        const std::wstring login = ui::GetText(Item(LgnTxt[0]));
        const std::wstring password = ui::GetText(Item(LgnTxt[1]));
        if (!StoreEntered(Item(AddCmd), RefuseAccount(settings_, login, password),
                          [&] { return settings_.StoreAccount(login, password); }))
            return;
        ui::SetText(Item(LgnTxt[0]), L"");
        ui::SetText(Item(LgnTxt[1]), L"");
        RefreshAccountList();
    }

    // The right button on the list: remove the selected account.
    void AccLst_MouseDown() {
        const int selected = ui::ListSelection(Item(AccLst));
        if (selected < 0) return;
        const std::wstring login = ui::ListItemText(Item(AccLst), selected);
        if (RemoveAfterQuestion(L"Account \"" + login + L"\" wirklich entfernen?", [&] { return settings_.RemoveAccount(login); }))
            RefreshAccountList();
    }

    Settings& settings_;
    std::function<void()> changed_;
};

}  // namespace

void ShowAccountWindow(HWND owner, Settings& settings, std::function<void()> changed) {
    AddAccFrm window(settings, std::move(changed));
    window.ShowModal(owner);
}
