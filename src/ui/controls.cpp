#include "ui/controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace ui {

std::wstring GetText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

void SetText(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }
void SetEnabled(HWND control, bool enabled) { EnableWindow(control, enabled); }
void SetVisible(HWND control, bool visible) { ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE); }

bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND checkBox, bool checked) {
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ComboClear(HWND combo) { SendMessageW(combo, CB_RESETCONTENT, 0, 0); }
void ComboAdd(HWND combo, const std::wstring& item) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}
void ComboSelect(HWND combo, int index) { SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
void FitDroppedWidth(HWND combo) {
    HDC dc = GetDC(combo);
    const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    int widest = 0;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(std::max<LRESULT>(0, SendMessageW(combo, CB_GETLBTEXTLEN, i, 0))) + 1,
                          L'\0');
        text.resize(static_cast<size_t>(
            std::max<LRESULT>(0, SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())))));
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, before);
    ReleaseDC(combo, dc);
    // Room for the list's edges, a scroll bar and the item's margins.
    const int room = 2 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL) + 8;
    SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + room), 0);
}

void ListClear(HWND list) { SendMessageW(list, LB_RESETCONTENT, 0, 0); }
void ListAdd(HWND list, const std::wstring& item) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}
int ListSelection(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }
std::wstring ListItemText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ListViewAddColumn(HWND listView, int index, const std::wstring& header, int widthPx, bool rightAligned) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = widthPx;
    column.pszText = const_cast<wchar_t*>(header.c_str());
    column.iSubItem = index;
    SendMessageW(listView, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void ListViewInsertRow(HWND listView, int index, const std::vector<std::wstring>& texts) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(texts.empty() ? L"" : texts[0].c_str());
    const int row = static_cast<int>(SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t column = 1; column < texts.size(); ++column) {
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(column);
        sub.pszText = const_cast<wchar_t*>(texts[column].c_str());
        SendMessageW(listView, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

std::vector<std::wstring> ListViewRow(HWND listView, int index, int columns) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < columns; ++column) {
        std::wstring text(1024, L'\0');
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto n =
            SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        text.resize(static_cast<size_t>(n));
        texts.push_back(text);
    }
    return texts;
}

int ListViewCount(HWND listView) { return static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0)); }

int ListViewSelection(HWND listView) {
    return static_cast<int>(SendMessageW(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListViewSelect(HWND listView, int index) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SendMessageW(listView, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

void AddToolTip(HWND owner, HWND control, const std::wstring& text) {
    // One tooltip window serves all of a window's controls (each window costs its creation);
    // it goes with its owner.
    constexpr wchar_t kTipProperty[] = L"CorvalinkToolTip";
    HWND tip = static_cast<HWND>(GetPropW(owner, kTipProperty));
    if (!tip || !IsWindow(tip)) {
        tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
        SetPropW(owner, kTipProperty, tip);
    }
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

namespace {

LRESULT CALLBACK TickBoxKeys(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto& toggle = *reinterpret_cast<std::function<void(int)>*>(data);
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        // A hit anywhere on a row of a full-row list says "on the item", all of whose bits
        // include the tick box's: only the tick box's bit alone, in the first column, is the box.
        LVHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (ListView_SubItemHitTest(list, &hit) >= 0 && hit.iSubItem == 0 &&
            (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON) {
            SetFocus(list);
            toggle(hit.iItem);
            return 0;
        }
    }
    if (msg == WM_KEYDOWN && wParam == VK_SPACE) {
        const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
        if (focused >= 0) toggle(focused);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(list, TickBoxKeys, id);
        delete &toggle;
    }
    return DefSubclassProc(list, msg, wParam, lParam);
}

LRESULT CALLBACK CtrlCombinationsOnly(HWND field, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        const bool modifier =
            wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU || wParam == VK_LWIN || wParam == VK_RWIN;
        const bool clearing = (wParam == VK_BACK || wParam == VK_DELETE) && !(GetKeyState(VK_MENU) & 0x8000);
        if (!modifier && !clearing && !(GetKeyState(VK_CONTROL) & 0x8000)) return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(field, CtrlCombinationsOnly, id);
    return DefSubclassProc(field, msg, wParam, lParam);
}

}  // namespace

void KeepTickBoxes(HWND listView, std::function<void(int row)> toggle) {
    ListView_SetExtendedListViewStyleEx(listView, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    ListView_SetCallbackMask(listView, LVIS_STATEIMAGEMASK);
    SetWindowSubclass(listView, TickBoxKeys, 0,
                      reinterpret_cast<DWORD_PTR>(new std::function<void(int)>(std::move(toggle))));
}

void TakeOnlyCtrlCombinations(HWND hotkeyField) { SetWindowSubclass(hotkeyField, CtrlCombinationsOnly, 0, 0); }

DisabledWhile::DisabledWhile(HWND control)
    : control_(control), hadFocus_(GetFocus() == control), pointer_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
    SetEnabled(control_, false);
}

DisabledWhile::~DisabledWhile() {
    SetCursor(pointer_);
    SetEnabled(control_, true);
    if (hadFocus_ && !GetFocus()) SetFocus(control_);
}

}  // namespace ui
