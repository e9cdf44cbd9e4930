#include "forms/config/server_frm.h"

#include <commctrl.h>

#include <algorithm>

#include "base/lang.h"
#include "base/product.h"
#include "forms/config/input_rules.h"
#include "store/ini_handling.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace {

using namespace server_frm;

// In keyboard tab order, as the window reads: the list, then each label right before its
// field. The name box takes the focus first.
constexpr ui::ControlSpec kControls[] = {
    {ServerLstVw, ui::Kind::kListView, nullptr, 120, 120, 5760, 1800},
    {DescrLbl[0], ui::Kind::kLabel, L"server/name", 120, 2040, 1335, 255},
    {LgnTxt[0], ui::Kind::kTextBox, nullptr, 120, 2280, 1335, 300},
    {DescrLbl[1], ui::Kind::kLabel, L"server/address", 1560, 2040, 2175, 255},
    {LgnTxt[1], ui::Kind::kTextBox, nullptr, 1560, 2280, 2175, 300},
    {DescrLbl[2], ui::Kind::kLabel, L"server/port", 3840, 2040, 855, 255},
    {LgnTxt[2], ui::Kind::kTextBox, nullptr, 3840, 2280, 855, 300, nullptr, ES_NUMBER, 0, 5},
    {DescrLbl[3], ui::Kind::kLabel, L"server/tag", 4800, 2040, 1080, 255},
    {LgnTxt[3], ui::Kind::kTextBox, nullptr, 4800, 2280, 1080, 300, nullptr, ES_NUMBER, 0, 9},
    {AddCmd, ui::Kind::kDefaultButton, L"server/apply", 120, 2760, 1695, 375},
    {DelCmd, ui::Kind::kButton, L"general/remove", 1920, 2760, 1335, 375},
    {HintLbl, ui::Kind::kLabel, nullptr, 120, 3240, 5760, 615},
};

constexpr ui::ListColumn kColumns[] = {{L"server/col_server", 1700},
                                       {L"server/col_address", 2200},
                                       {L"server/col_port", 800, true},
                                       {L"server/col_tag", 700, true}};

class ServerFrm : public ui::Form {
public:
    ServerFrm(Settings& settings, std::function<void()> changed, std::wstring addressFor)
        : Form({ProductTitle(LangText(L"server", L"caption")), 6000, 3975, {}}, kControls),
          settings_(settings),
          changed_(std::move(changed)),
          addressFor_(std::move(addressFor)) {}

protected:
    void Form_Load() override {
        AddListColumns(ServerLstVw, kColumns);
        RefreshServerList();
        SetFocus(Item(LgnTxt[0]));
        SetItemText(HintLbl, addressFor_.empty() ? LangText(L"server", L"hint")
                                                 : LangFormat(L"server", L"hint_for", {addressFor_}));
        if (addressFor_.empty()) return;
        for (const ServerRecord& server : settings_.Servers()) {
            if (UpperCase(server.name) != UpperCase(addressFor_)) continue;
            SetItemText(LgnTxt[0], server.name);
            SetItemText(LgnTxt[2], server.port.empty() ? L"10622" : server.port);
            SetItemText(LgnTxt[3], server.tag);
        }
        SetFocus(Item(LgnTxt[1]));
    }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == AddCmd) AddCmd_Click();
        if (id == DelCmd) DelCmd_Click();
    }

    LRESULT OnNotify(NMHDR& header) override {
        if (header.idFrom == static_cast<UINT_PTR>(ServerLstVw) && header.code == LVN_ITEMCHANGED) ServerLstVw_Click();
        return 0;
    }

private:
    // The servers, a placeholder address shown as missing (as the server boxes show it).
    void RefreshServerList() {
        HWND list = Item(ServerLstVw);
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        servers_ = settings_.Servers();
        const std::wstring missing = LangText(L"server", L"address_missing");
        for (const ServerRecord& server : servers_) {
            const std::wstring& address = IsPlaceholderAddress(server.address) ? missing : server.address;
            ui::ListViewInsertRow(list, ui::ListViewCount(list), {server.name, address, server.port, server.tag});
        }
    }

    // A row chosen in the list fills the fields, to replace or remove that server; a
    // placeholder address leaves the address field empty for the real one.
    void ServerLstVw_Click() {
        const int selected = ui::ListViewSelection(Item(ServerLstVw));
        if (selected < 0 || static_cast<size_t>(selected) >= servers_.size()) return;
        const ServerRecord& server = servers_[static_cast<size_t>(selected)];
        SetItemText(LgnTxt[0], server.name);
        SetItemText(LgnTxt[1], IsPlaceholderAddress(server.address) ? std::wstring() : server.address);
        SetItemText(LgnTxt[2], server.port);
        SetItemText(LgnTxt[3], server.tag);
    }

    // Adds the server, or replaces the address and tag of the server of that name.
    void AddCmd_Click() {
        const ServerRecord server{ItemText(LgnTxt[0]), ItemText(LgnTxt[1]), ItemText(LgnTxt[2]), ItemText(LgnTxt[3])};
        std::optional<std::wstring> refusal = RefuseServer(server.name, server.address, server.port, server.tag);
        if (!refusal)
            refusal = RefuseValue(LangText(L"server", L"field_address"), server.StoredAddress(), StoredAs::kValue);
        if (!StoreEntered(Item(AddCmd), refusal, [&] { return settings_.StoreServer(server); })) return;
        const std::wstring& name = server.name;
        for (int id : LgnTxt) SetItemText(id, L"");
        Changed();
        if (!addressFor_.empty() && UpperCase(name) == UpperCase(addressFor_))
            Unload();  // asked for, given
        else
            SetFocus(Item(LgnTxt[0]));
    }

    // Removes the server named in the name field, after a question that names the
    // QuickLogins using it.
    void DelCmd_Click() {
        const std::wstring name = ItemText(LgnTxt[0]);
        if (name.empty()) {
            ui::MsgBox(LangText(L"server", L"choose_to_remove"), MB_OK | MB_ICONINFORMATION);
            return;
        }
        const std::vector<ServerRecord> servers = settings_.Servers();
        if (std::none_of(servers.begin(), servers.end(),
                         [&](const ServerRecord& s) { return UpperCase(s.name) == UpperCase(name); })) {
            ui::MsgBox(LangFormat(L"server", L"no_such_server", {name}), MB_OK | MB_ICONINFORMATION);
            return;
        }
        const std::wstring question = LangFormat(L"server", L"remove", {name}) +
                                      UsersNote(settings_.QuickLoginsUsing(&QuickLoginEntry::server, name));
        if (!RemoveAfterQuestion(question, [&] { return settings_.RemoveServer(name); })) return;
        for (int id : LgnTxt) SetItemText(id, L"");
        Changed();
        SetFocus(Item(LgnTxt[0]));
    }

    void Changed() {
        RefreshServerList();
        if (changed_) changed_();
    }

    Settings& settings_;
    std::vector<ServerRecord> servers_;  // the list's servers, in its order
    std::function<void()> changed_;
    std::wstring addressFor_;  // the server whose address the window asks for, if any
};

}  // namespace

void ShowServerWindow(HWND owner, Settings& settings, std::function<void()> changed, const std::wstring& addressFor) {
    if (!CheckSettingsBeforeUse(settings)) return;
    ServerFrm window(settings, std::move(changed), addressFor);
    window.ShowModal(owner);
}
