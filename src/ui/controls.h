// Thin operations on the standard controls, for the few things the windows do with them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

std::wstring GetText(HWND control);
void SetText(HWND control, const std::wstring& text);
void SetEnabled(HWND control, bool enabled);

// Disables a button while it works, and shows the wait pointer meanwhile (a save of a long
// list takes a moment); enabled again, it gets back the focus it had (a disabled control loses
// the focus, and the keyboard would reach nothing until the next click).
class DisabledWhile {
public:
    explicit DisabledWhile(HWND control);
    ~DisabledWhile();
    DisabledWhile(const DisabledWhile&) = delete;
    DisabledWhile& operator=(const DisabledWhile&) = delete;

private:
    HWND control_;
    bool hadFocus_;
    HCURSOR pointer_;  // the pointer before
};
void SetVisible(HWND control, bool visible);

bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);

// Drop-down lists and list boxes.
void ComboClear(HWND combo);
void ComboAdd(HWND combo, const std::wstring& item);
void ComboSelect(HWND combo, int index);  // -1 selects nothing
// The open list as wide as its widest item (at least as wide as the box).
void FitDroppedWidth(HWND combo);
void ListClear(HWND list);
void ListAdd(HWND list, const std::wstring& item);
int ListSelection(HWND list);
std::wstring ListItemText(HWND list, int index);

// Report-view list views: rows of texts, one a column.
void ListViewAddColumn(HWND listView, int index, const std::wstring& header, int widthPx, bool rightAligned);
void ListViewInsertRow(HWND listView, int index, const std::vector<std::wstring>& texts);
std::vector<std::wstring> ListViewRow(HWND listView, int index, int columns);
int ListViewCount(HWND listView);
int ListViewSelection(HWND listView);  // -1 when no row is selected
void ListViewSelect(HWND listView, int index);

// Tick boxes on an owner-data list view, whose rows (and ticks) its window keeps: the list asks
// the window for a row's tick, and a click on a row's tick box or Space on the focused row calls
// `toggle` with that row. A click anywhere else on a row chooses it, as on any list.
void KeepTickBoxes(HWND listView, std::function<void(int row)> toggle);

// A hotkey field that takes only combinations with Ctrl: a global hotkey without it would take
// a key from every other program, and Alt with a letter stays a button's underlined letter,
// which the dialog handles. Backspace and Delete still clear the field.
void TakeOnlyCtrlCombinations(HWND hotkeyField);

// A tooltip for a control of a window.
void AddToolTip(HWND owner, HWND control, const std::wstring& text);

}  // namespace ui
