#include "forms/config/add_client_frm.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/folder_picker.h"
#include "forms/config/input_rules.h"
#include "forms/config/stored_list_frm.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace {

using namespace add_client_frm;

// In keyboard tab order, as the window reads: each label right before its field, the folder
// button right after the folder.
constexpr ui::ControlSpec kControls[] = {
    {DescrLbl[1], ui::Kind::kLabel, L"client/folder", 120, 120, 1695, 255},
    {LgnTxt[0], ui::Kind::kTextBox, nullptr, 120, 360, 4095, 300},
    {DirSelCmd, ui::Kind::kButton, L"..", 4200, 360, 375, 300},  // tooltip: "Ordner auswählen"
    {DescrLbl[0], ui::Kind::kLabel, L"client/name", 120, 840, 2055, 255},
    {LgnTxt[1], ui::Kind::kTextBox, nullptr, 120, 1080, 2295, 300},
    {AddCmd, ui::Kind::kDefaultButton, L"client/add", 2880, 1040, 1695, 375},
    {ClientLst, ui::Kind::kListBox, nullptr, 120, 1680, 3135, 1020},
    {DelCmd, ui::Kind::kButton, L"general/remove", 3360, 1680, 1215, 375},
};

class AddClientFrm : public StoredListFrm {
public:
    AddClientFrm(Settings& settings, std::function<void()> changed)
        : StoredListFrm({ProductTitle(LangText(L"client", L"caption")), 4680, 2805, {}}, kControls,
                        {LgnTxt[0], LgnTxt[1], AddCmd, ClientLst, DelCmd}, settings, std::move(changed)) {}

protected:
    void Form_Load() override {
        RefreshClientList();
        ui::AddToolTip(hwnd(), Item(DirSelCmd), LangText(L"general", L"tip_folder"));
    }

    void OnCommand(int id, int code) override {
        if (id == DirSelCmd && code == BN_CLICKED) DirSelCmd_Click();
        StoredListFrm::OnCommand(id, code);
    }

    std::vector<QuickLoginEntry> Users(const std::wstring& name) const override {
        return settings().QuickLoginsUsing(&QuickLoginEntry::client, name);
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = IsListContextMenu(msg, wParam, lParam);
        if (handled) ClientLst_MouseDown();
        return 0;
    }

    std::vector<std::wstring> Entries() const override { return settings().ListSettingKeys(section::kClients); }
    // The first text is the folder, the second the short name.
    std::optional<std::wstring> Refusal(std::wstring& dir, std::wstring& name) const override {
        if (name.empty()) return LangText(L"client", L"no_name");
        if (auto refusal = RefuseClientName(LangText(L"client", L"field_name"), name)) return refusal;
        return RefuseClientDir(LangText(L"client", L"field_folder"), dir);
    }
    SaveResult Store(const std::wstring& dir, const std::wstring& name) override {
        return settings().StoreClient(name, dir);
    }
    std::wstring RemoveQuestion(const std::wstring& name) const override {
        return LangFormat(L"client", L"remove", {name});
    }
    SaveResult Remove(const std::wstring& name) override { return settings().RemoveClient(name); }

private:
    void RefreshClientList() { FillList(); }

    void DirSelCmd_Click() {
        const std::optional<std::wstring> picked = PickGameFolder([](const std::wstring& path) {
            ui::MsgBox(LangFormat(L"client", L"not_a_game_folder", {path}), MB_OK | MB_ICONERROR);
        });
        if (picked) SetItemText(LgnTxt[0], *picked);
    }

    // The right button on the list: remove the client under the pointer.
    void ClientLst_MouseDown() { RemoveSelected(); }
};

}  // namespace

void ShowClientWindow(HWND owner, Settings& settings, std::function<void()> changed) {
    if (!CheckSettingsBeforeUse(settings)) return;
    AddClientFrm window(settings, std::move(changed));
    window.ShowModal(owner);
}
