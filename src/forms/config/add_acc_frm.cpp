#include "forms/config/add_acc_frm.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/input_rules.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

enum Id : int { kLoginTxt = 210, kPasswordTxt, kAdd = 230, kList = 240, kLblLogin = 300, kLblPassword };

// In keyboard tab order: the login box takes the focus first.
constexpr ui::ControlSpec kControls[] = {
    {kLblPassword, ui::Kind::kLabel, L"Account Passwort:", 120, 720, 1695, 255},
    {kLblLogin, ui::Kind::kLabel, L"Account Login:", 120, 120, 1695, 255},
    {kLoginTxt, ui::Kind::kTextBox, nullptr, 120, 360, 1695, 300},
    {kPasswordTxt, ui::Kind::kPasswordBox, nullptr, 120, 960, 1695, 300},
    {kAdd, ui::Kind::kDefaultButton, L"Hinzufügen >>>", 120, 1440, 1695, 375},
    {kList, ui::Kind::kListBox, nullptr, 2040, 120, 1815, 1740},
};

class AddAccFrm : public ui::Form {
public:
    explicit AddAccFrm(std::function<void()> changed)
        : Form({std::wstring(kProductName) + L" :: Account hinzufügen", 3990, 1995, {}}, kControls), changed_(std::move(changed)) {}

protected:
    void OnLoad() override {
        Refresh();
        SetFocus(Item(kLoginTxt));
    }

    void OnCommand(int id, int code) override {
        if (id == kAdd && code == BN_CLICKED) Store();
        if (id == kList && code == LBN_DBLCLK) {
            const int selected = ui::ListSelection(Item(kList));
            if (selected >= 0) ui::SetText(Item(kLoginTxt), ui::ListItemText(Item(kList), selected));
        }
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        // A right click on the list (or its context-menu key) offers to remove the selected account.
        handled = msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == Item(kList);
        if (handled) RemoveSelected();
        return 0;
    }

private:
    void Refresh() {
        ui::ListClear(Item(kList));
        for (const std::wstring& name : AccountNames()) ui::ListAdd(Item(kList), name);
        if (changed_) changed_();
    }

    void Store() {
        const std::wstring login = ui::GetText(Item(kLoginTxt));
        const std::wstring password = ui::GetText(Item(kPasswordTxt));
        if (!StoreEntered(Item(kAdd), RefuseAccount(login, password), [&] { return StoreAccount(login, password); }))
            return;
        ui::SetText(Item(kLoginTxt), L"");
        ui::SetText(Item(kPasswordTxt), L"");
        Refresh();
    }

    void RemoveSelected() {
        const int selected = ui::ListSelection(Item(kList));
        if (selected < 0) return;
        const std::wstring login = ui::ListItemText(Item(kList), selected);
        if (RemoveAfterQuestion(L"Account \"" + login + L"\" wirklich entfernen?", [&] { return RemoveAccount(login); }))
            Refresh();
    }

    std::function<void()> changed_;
};

}  // namespace

void ShowAccountWindow(HWND owner, std::function<void()> changed) {
    AddAccFrm window(std::move(changed));
    window.ShowModal(owner);
}
