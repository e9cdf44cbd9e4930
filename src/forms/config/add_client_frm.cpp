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

enum Id : int { kDirTxt = 210, kNameTxt, kAdd = 230, kList = 240, kDirSel = 250, kLblName = 300, kLblDir };

// In keyboard tab order.
constexpr ui::ControlSpec kControls[] = {
    {kDirTxt, ui::Kind::kTextBox, nullptr, 120, 360, 4095, 300},
    {kNameTxt, ui::Kind::kTextBox, nullptr, 120, 1080, 2295, 300},
    {kAdd, ui::Kind::kDefaultButton, L"Hinzufügen", 2880, 1040, 1695, 375},
    {kList, ui::Kind::kListBox, nullptr, 120, 1680, 4455, 1020},
    {kLblDir, ui::Kind::kLabel, L"Pfad zum Client:", 120, 120, 1695, 255},
    {kLblName, ui::Kind::kLabel, L"Kurzbezeichnung:", 120, 840, 2055, 255},
    {kDirSel, ui::Kind::kButton, L"..", 4200, 360, 375, 300},
};

class AddClientFrm : public ui::Form {
public:
    explicit AddClientFrm(std::function<void()> changed)
        : Form({std::wstring(kProductName) + L" :: DAoC-Client hinzufügen", 4680, 2805, {}}, kControls), changed_(std::move(changed)) {}

protected:
    void OnLoad() override { Refresh(); }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == kAdd) Store();
        if (id == kDirSel) PickFolder();
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        handled = msg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == Item(kList);
        if (handled) RemoveSelected();
        return 0;
    }

private:
    void Refresh() {
        ui::ListClear(Item(kList));
        for (const std::wstring& name : ListSettingKeys(section::kClients)) ui::ListAdd(Item(kList), name);
        if (changed_) changed_();
    }

    void PickFolder() {
        const std::wstring path = BrowseForFolder(L"Bitte DAoC-Ordner auswählen");
        if (path.empty() || IsGameFolder(path)) {
            ui::SetText(Item(kDirTxt), path);
            return;
        }
        ui::MsgBox(L"Der angegebene Pfad \"" + path + L"\" scheint kein gültiger DAoC-Ordner zu sein!",
                   MB_OK | MB_ICONERROR);
    }

    void Store() {
        std::wstring dir = ui::GetText(Item(kDirTxt));
        const std::wstring name = ui::GetText(Item(kNameTxt));
        std::optional<std::wstring> refusal;
        if (name.empty()) refusal = L"Bitte geben Sie dem Client eine Kurzbezeichnung.";
        if (!refusal) refusal = RefuseClientName(L"Die Kurzbezeichnung", name);
        if (!refusal) refusal = RefuseClientDir(L"Der Pfad", dir);
        if (!StoreEntered(Item(kAdd), refusal, [&] { return StoreClient(name, dir); })) return;
        ui::SetText(Item(kDirTxt), L"");
        ui::SetText(Item(kNameTxt), L"");
        Refresh();
    }

    void RemoveSelected() {
        const int selected = ui::ListSelection(Item(kList));
        const std::wstring name = selected >= 0 ? ui::ListItemText(Item(kList), selected) : std::wstring();
        if (name.empty()) return;
        if (RemoveAfterQuestion(L"Client \"" + name + L"\" wirklich aus Liste entfernen?",
                                [&] { return RemoveClient(name); }))
            Refresh();
    }

    std::function<void()> changed_;
};

}  // namespace

void ShowClientWindow(HWND owner, std::function<void()> changed) {
    AddClientFrm window(std::move(changed));
    window.ShowModal(owner);
}
