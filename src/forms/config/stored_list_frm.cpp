#include "forms/config/stored_list_frm.h"

#include <windowsx.h>

#include "base/lang.h"
#include "forms/config/input_rules.h"
#include "ui/controls.h"
#include "ui/message_box.h"

void StoredListFrm::OnCommand(int id, int code) {
    if (id == ids_.addCmd && code == BN_CLICKED) AddCmd_Click();
    if (id == ids_.delCmd && code == BN_CLICKED) RemoveSelected();
}

bool StoredListFrm::IsListContextMenu(UINT msg, WPARAM wParam, LPARAM lParam) const {
    HWND list = Item(ids_.list);
    if (msg != WM_CONTEXTMENU || reinterpret_cast<HWND>(wParam) != list) return false;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x != -1 || at.y != -1) {  // the mouse, not the keyboard
        ScreenToClient(list, &at);
        // The list names the nearest entry even below the last one: only one under the pointer counts.
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
        RECT entry{};
        const bool onEntry =
            HIWORD(hit) == 0 &&
            SendMessageW(list, LB_GETITEMRECT, LOWORD(hit), reinterpret_cast<LPARAM>(&entry)) != LB_ERR &&
            PtInRect(&entry, at);
        SendMessageW(list, LB_SETCURSEL, onEntry ? LOWORD(hit) : static_cast<WPARAM>(-1), 0);
        if (!onEntry) return false;  // beside the entries: nothing to remove, nothing to ask
    }
    return true;
}

void StoredListFrm::FillList() {
    ui::ListClear(Item(ids_.list));
    for (const std::wstring& entry : Entries()) ui::ListAdd(Item(ids_.list), entry);
    if (changed_) changed_();
}

void StoredListFrm::AddCmd_Click() {
    std::wstring first = ItemText(ids_.firstTxt), second = ItemText(ids_.secondTxt);
    const std::optional<std::wstring> refusal = Refusal(first, second);
    if (!StoreEntered(Item(ids_.addCmd), refusal, [&] { return Store(first, second); })) return;
    SetItemText(ids_.firstTxt, L"");
    SetItemText(ids_.secondTxt, L"");
    FillList();
    SetFocus(Item(ids_.firstTxt));  // ready for the next one
}

void StoredListFrm::RemoveSelected() {
    const int selected = ui::ListSelection(Item(ids_.list));
    const std::wstring entry = selected >= 0 ? ui::ListItemText(Item(ids_.list), selected) : std::wstring();
    if (entry.empty()) {
        ui::MsgBox(LangText(L"general", L"choose_to_remove"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (RemoveAfterQuestion(RemoveQuestion(entry) + UsersNote(Users(entry)), [&] { return Remove(entry); })) FillList();
}
