#include "forms/config/add_client_frm.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/folder_picker.h"
#include "forms/config/input_rules.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace {

using namespace add_client_frm;

// In keyboard tab order.
constexpr ui::ControlSpec kControls[] = {
    {LgnTxt[0], ui::Kind::kTextBox, nullptr, 120, 360, 4095, 300},
    {LgnTxt[1], ui::Kind::kTextBox, nullptr, 120, 1080, 2295, 300},
    {AddCmd, ui::Kind::kDefaultButton, L"Hinzufügen", 2880, 1040, 1695, 375},
    {ClientLst, ui::Kind::kListBox, nullptr, 120, 1680, 4455, 1020},
    {DescrLbl[1], ui::Kind::kLabel, L"Pfad zum Client:", 120, 120, 1695, 255},
    {DescrLbl[0], ui::Kind::kLabel, L"Kurzbezeichnung:", 120, 840, 2055, 255},
    {DirSelCmd, ui::Kind::kButton, L"..", 4200, 360, 375, 300},
};

class AddClientFrm : public ui::Form {
public:
    AddClientFrm(Settings& settings, std::function<void()> changed)
        : Form({std::wstring(kProductName) + L" :: DAoC-Client hinzufügen", 4680, 2805, {}}, kControls),
          settings_(settings), changed_(std::move(changed)) {}

protected:
    void Form_Load() override { RefreshClientList(); }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == AddCmd) AddCmd_Click();
        if (id == DirSelCmd) DirSelCmd_Click();
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        handled = msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == Item(ClientLst);
        if (handled) ClientLst_MouseDown();
        return 0;
    }

private:
    void RefreshClientList() {
        ui::ListClear(Item(ClientLst));
        for (const std::wstring& name : settings_.ListSettingKeys(section::kClients)) ui::ListAdd(Item(ClientLst), name);
        if (changed_) changed_();
    }

    void DirSelCmd_Click() {
        const std::optional<std::wstring> picked = PickGameFolder([](const std::wstring& path) {
            ui::MsgBox(L"Der angegebene Pfad \"" + path + L"\" scheint kein gültiger DAoC-Ordner zu sein!",
                       MB_OK | MB_ICONERROR);
        });
        if (picked) ui::SetText(Item(LgnTxt[0]), *picked);
    }

    void AddCmd_Click() {
        std::wstring dir = ui::GetText(Item(LgnTxt[0]));
        const std::wstring name = ui::GetText(Item(LgnTxt[1]));
        std::optional<std::wstring> refusal;
        if (name.empty()) refusal = L"Bitte geben Sie dem Client eine Kurzbezeichnung.";
        if (!refusal) refusal = RefuseClientName(L"Die Kurzbezeichnung", name);
        if (!refusal) refusal = RefuseClientDir(L"Der Pfad", dir);
        if (!StoreEntered(Item(AddCmd), refusal, [&] { return settings_.StoreClient(name, dir); })) return;
        ui::SetText(Item(LgnTxt[0]), L"");
        ui::SetText(Item(LgnTxt[1]), L"");
        RefreshClientList();
    }

    // The right button on the list: remove the selected client.
    void ClientLst_MouseDown() {
        const int selected = ui::ListSelection(Item(ClientLst));
        const std::wstring name = selected >= 0 ? ui::ListItemText(Item(ClientLst), selected) : std::wstring();
        if (name.empty()) return;
        if (RemoveAfterQuestion(L"Client \"" + name + L"\" wirklich aus Liste entfernen?",
                                [&] { return settings_.RemoveClient(name); }))
            RefreshClientList();
    }

    Settings& settings_;
    std::function<void()> changed_;
};

}  // namespace

void ShowClientWindow(HWND owner, Settings& settings, std::function<void()> changed) {
    AddClientFrm window(settings, std::move(changed));
    window.ShowModal(owner);
}
