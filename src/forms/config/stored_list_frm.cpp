#include "forms/config/stored_list_frm.h"

#include "forms/config/input_rules.h"
#include "ui/controls.h"

void StoredListFrm::OnCommand(int id, int code) {
    if (id == ids_.addCmd && code == BN_CLICKED) AddCmd_Click();
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
}

void StoredListFrm::RemoveSelected() {
    const int selected = ui::ListSelection(Item(ids_.list));
    const std::wstring entry = selected >= 0 ? ui::ListItemText(Item(ids_.list), selected) : std::wstring();
    if (entry.empty()) return;
    if (RemoveAfterQuestion(RemoveQuestion(entry), [&] { return Remove(entry); })) FillList();
}
