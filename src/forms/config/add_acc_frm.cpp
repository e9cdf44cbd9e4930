#include "forms/config/add_acc_frm.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/input_rules.h"
#include "forms/config/stored_list_frm.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using namespace add_acc_frm;

// In keyboard tab order, each label right before its field (a screen reader names the field
// after it): the login box takes the focus first.
constexpr ui::ControlSpec kControls[] = {
    {DescrLbl[0], ui::Kind::kLabel, L"account/login", 120, 120, 1695, 255},
    {LgnTxt[0], ui::Kind::kTextBox, nullptr, 120, 360, 1695, 300},
    {DescrLbl[1], ui::Kind::kLabel, L"account/password", 120, 720, 1695, 255},
    {LgnTxt[1], ui::Kind::kPasswordBox, nullptr, 120, 960, 1695, 300},
    {AddCmd, ui::Kind::kDefaultButton, L"account/add", 120, 1440, 1695, 375},
    {AccLst, ui::Kind::kListBox, nullptr, 2040, 120, 1815, 1260},
    {DelCmd, ui::Kind::kButton, L"general/remove", 2040, 1440, 1815, 375},
};

class AddAccFrm : public StoredListFrm {
public:
    AddAccFrm(Settings& settings, std::function<void()> changed)
        : StoredListFrm({ProductTitle(LangText(L"account", L"caption")), 3990, 1995, {}}, kControls,
                        {LgnTxt[0], LgnTxt[1], AddCmd, AccLst, DelCmd}, settings, std::move(changed)) {}

protected:
    void Form_Load() override {
        RefreshAccountList();
        SetFocus(Item(LgnTxt[0]));
    }

    void OnCommand(int id, int code) override {
        if (id == AccLst && code == LBN_DBLCLK) AccLst_DblClick();
        StoredListFrm::OnCommand(id, code);
    }

    std::vector<std::wstring> Entries() const override { return settings().AccountNames(); }
    std::optional<std::wstring> Refusal(std::wstring& login, std::wstring& password) const override {
        return RefuseAccount(settings(), login, password);
    }
    SaveResult Store(const std::wstring& login, const std::wstring& password) override {
        return settings().StoreAccount(login, password);
    }
    std::wstring RemoveQuestion(const std::wstring& login) const override {
        return LangFormat(L"account", L"remove", {login});
    }
    SaveResult Remove(const std::wstring& login) override { return settings().RemoveAccount(login); }

    std::vector<QuickLoginEntry> Users(const std::wstring& login) const override {
        return settings().QuickLoginsUsing(&QuickLoginEntry::account, login);
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = IsListContextMenu(msg, wParam, lParam);
        if (handled) AccLst_MouseDown();
        return 0;
    }

private:
    void RefreshAccountList() { FillList(); }
    // A double click puts the login name into its box, to give the account a new password.
    void AccLst_DblClick() {
        const int selected = ui::ListSelection(Item(AccLst));
        if (selected >= 0) SetItemText(LgnTxt[0], ui::ListItemText(Item(AccLst), selected));
    }
    // The right button on the list: remove the account under the pointer.
    void AccLst_MouseDown() { RemoveSelected(); }
};

}  // namespace

void ShowAccountWindow(HWND owner, Settings& settings, std::function<void()> changed) {
    if (!CheckSettingsBeforeUse(settings)) return;
    AddAccFrm window(settings, std::move(changed));
    window.ShowModal(owner);
}
