#include "ui/form.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>

#include "base/handles.h"
#include "base/lang.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"
#include "ui/program_icon.h"

namespace ui {

namespace {

int g_loadedCount = 0;

// The form whose window is being created: its first messages arrive before CreateDialog returns.
thread_local Form* g_creating = nullptr;

UINT WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    UINT dpi = (getDpi && hwnd) ? getDpi(hwnd) : 0;
    if (dpi == 0) {
        const base::ScopedDc screen(nullptr);
        dpi = static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSX));
    }
    return dpi ? dpi : 96;
}

struct ClassAndStyle {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle ClassFor(Kind kind) {
    switch (kind) {
        case Kind::kLabel: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case Kind::kButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case Kind::kDefaultButton: return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
        case Kind::kTextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 0};
        case Kind::kPasswordBox: return {L"EDIT", ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP | WS_BORDER, 0};
        case Kind::kMultilineTextBox:
            return {L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::kDropDownList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case Kind::kListBox: return {L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::kListView:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::kCheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case Kind::kImage: return {L"STATIC", SS_ICON | SS_REALSIZECONTROL, 0};
        case Kind::kEtchedLine: return {L"STATIC", SS_ETCHEDHORZ, 0};
        case Kind::kHotkey: return {HOTKEY_CLASSW, WS_TABSTOP | WS_BORDER, 0};
    }
    return {L"STATIC", 0, 0};
}

}  // namespace

Form::Form(FormSpec design, std::span<const ControlSpec> controls)
    : spec_(std::move(design)), controls_(controls.begin(), controls.end()) {}

Form::~Form() {
    if (!hwnd_) return;
    // The window goes without its handlers: the derived part of this object is gone already.
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    --g_loadedCount;
    DestroyWindow(std::exchange(hwnd_, nullptr));
}

Form* Form::FromHwnd(HWND hwnd) {
    // Only windows of this class keep a Form in their user data; a message box does not.
    if (!hwnd || GetWindowLongPtrW(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) return nullptr;
    return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

int Form::LoadedCount() { return g_loadedCount; }

std::wstring Form::ItemText(int id) const { return GetText(Item(id)); }

int Form::Px(int twips) const { return MulDiv(twips, static_cast<int>(WindowDpi(hwnd_)), 1440); }

void Form::AddListColumns(int listView, std::span<const ListColumn> columns) const {
    for (size_t i = 0; i < columns.size(); ++i)
        ListViewAddColumn(Item(listView), static_cast<int>(i), LangTextAt(columns[i].header), Px(columns[i].widthTwips),
                          columns[i].rightAligned);
}

void Form::Load() {
    if (hwnd_) return;
    // An empty dialog template: the controls come from the layout table.
    struct alignas(4) EmptyTemplate {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } tmpl{};
    tmpl.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | (spec_.minimizeBox ? WS_MINIMIZEBOX : 0);
    tmpl.header.dwExtendedStyle = WS_EX_CONTROLPARENT;
    g_creating = this;
    HWND created = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, nullptr, DialogProc,
                                              reinterpret_cast<LPARAM>(this));
    g_creating = nullptr;
    if (!created) hwnd_ = nullptr;
}

void Form::Show() {
    Load();
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
}

void Form::ShowModal(HWND owner) {
    Load();
    if (!hwnd_) return;
    modalOwner_ = owner;
    if (owner) {
        SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        EnableWindow(owner, FALSE);
    }
    Show();
    RunMessageLoopWhile([this] { return hwnd_ != nullptr; });
}

void Form::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::Unload() {
    if (!hwnd_) return;
    // Re-enable the owner first, so that the activation goes back to it and not elsewhere.
    if (modalOwner_) {
        EnableWindow(modalOwner_, TRUE);
        SetActiveWindow(modalOwner_);
        modalOwner_ = nullptr;
    }
    DestroyWindow(hwnd_);
}

void Form::ApplyTexts() const {
    for (const ControlSpec& c : controls_)
        if (c.text) SetDlgItemTextW(hwnd_, c.id, LangTextAt(c.text).c_str());
}

void Form::SetCaption(const std::wstring& caption) {
    spec_.caption = caption;
    if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}

void Form::SetGroupVisible(int group, bool visible) {
    for (const ControlSpec& c : controls_)
        if (c.group == group) ShowWindow(Item(c.id), visible ? SW_SHOWNA : SW_HIDE);
}

HFONT Form::FontFor(const Font* font) {
    const Font& f = font ? *font : spec_.font;
    for (auto& [known, handle] : fontCache_)
        if (known.face == f.face && known.centiPoints == f.centiPoints && known.bold == f.bold &&
            known.underline == f.underline)
            return handle;
    const int height = -MulDiv(f.centiPoints, static_cast<int>(WindowDpi(hwnd_)), 7200);
    HFONT handle =
        CreateFontW(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, FALSE, f.underline, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.face);
    fonts_.emplace_back(handle);
    fontCache_.emplace_back(f, handle);
    return handle;
}

void Form::SizeAndCentre() {
    RECT rect{0, 0, Px(spec_.width), Px(spec_.height)};
    if (!spec_.outerSize)
        AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    MONITORINFO info{sizeof(info), {}, {}, 0};
    POINT cursor{};
    GetCursorPos(&cursor);
    GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& work = info.rcWork;
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlSpec& c : controls_) {
        ClassAndStyle cs = ClassFor(c.kind);
        const std::wstring text = c.text ? LangTextAt(c.text) : std::wstring();
        // A label shows its text as it is (it may be a path with "&"), unless the window's design
        // gives it an underlined letter ("&Server:"), which moves the focus to the next field.
        if (c.kind == Kind::kLabel && text.find(L'&') != std::wstring::npos)
            cs.style &= ~static_cast<DWORD>(SS_NOPREFIX);
        HWND control = CreateWindowExW(cs.exStyle, cs.cls, text.c_str(), WS_CHILD | WS_VISIBLE | cs.style | c.style,
                                       Px(c.left), Px(c.top), Px(c.width), Px(c.height), hwnd_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (!control) continue;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
        if (c.limit > 0) SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
        if (c.kind == Kind::kListView)
            SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        if (c.kind == Kind::kImage) SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(ProgramIcon(false)), 0);
        if (c.kind == Kind::kDefaultButton) SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(c.id), 0);
    }
}

INT_PTR CALLBACK Form::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // `this` lives in the dialog's user data from its first message on.
    Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!form && g_creating) {
        form = std::exchange(g_creating, nullptr);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(form));
        ++g_loadedCount;
    }
    if (!form) return FALSE;
    try {
        return form->Dispatch(msg, wParam, lParam);
    } catch (const std::exception& e) {
        MsgBox(LangFormat(L"general", L"internal_error", {std::wstring(e.what(), e.what() + strlen(e.what()))}),
               MB_ICONERROR);
    } catch (...) {
        MsgBox(LangFormat(L"general", L"internal_error", {L"?"}), MB_ICONERROR);
    }
    return FALSE;
}

INT_PTR Form::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowTextW(hwnd_, spec_.caption.c_str());
            SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ProgramIcon(false)));
            SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ProgramIcon(true)));
            SizeAndCentre();
            CreateControls();
            Form_Load();
            return FALSE;  // the focus is set by Show
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
                OnClose();  // Escape
                return TRUE;
            }
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, OnNotify(*reinterpret_cast<NMHDR*>(lParam)));
            return TRUE;
        case WM_CLOSE: OnClose(); return TRUE;
        case WM_DESTROY: Form_Unload(); return TRUE;
        case WM_NCDESTROY: {
            SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
            --g_loadedCount;
            hwnd_ = nullptr;
            fontCache_.clear();
            fonts_.clear();
            return TRUE;
        }
        default: {
            bool handled = false;
            INT_PTR result = OnMessage(msg, wParam, lParam, handled);
            return handled ? result : FALSE;
        }
    }
}

}  // namespace ui
