// A window as its designer drew it: a client area and controls with positions in twips, a
// font, a caption and a tab order. Built on the dialog manager (from an empty in-memory
// template), so Tab, Enter on the default button and Escape work as users expect.
#pragma once
#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/handles.h"

namespace ui {

struct Font {
    const wchar_t* face = L"Trebuchet MS";
    int centiPoints = 825;  // 8.25 pt
    bool bold = false;
    bool underline = false;
};

enum class Kind {
    kLabel,
    kButton,
    kDefaultButton,
    kTextBox,
    kPasswordBox,
    kMultilineTextBox,  // read-only viewer text with a vertical scroll bar
    kDropDownList,      // selection only
    kListBox,
    kListView,  // report view
    kCheckBox,
    kImage,       // shows the program icon (every form also carries it as window icon)
    kEtchedLine,  // horizontal line
    kHotkey,      // Windows' hotkey field: shows and takes a key combination
};

// One control of a layout table. Controls are created in table order, which is the tab order.
struct ControlSpec {
    int id;
    Kind kind;
    const wchar_t* text;           // "section/key" of the language file, or a symbol (".."); null = none
    int left, top, width, height;  // twips
    const Font* font = nullptr;    // the form's font when null
    DWORD style = 0;               // extra window styles (SS_RIGHT, ES_..., WS_DISABLED, ...)
    int group = 0;                 // controls shown and hidden together (a page); 0 = none
    int limit = 0;                 // most characters a text box takes; 0 = no limit
};

// A column of a report-view list view, as the window's design gives it.
struct ListColumn {
    const wchar_t* header;  // "section/key" of the language file
    int widthTwips;
    bool rightAligned = false;
};

struct FormSpec {
    std::wstring caption;
    int width, height;  // twips: of the client area, or of the whole window when outerSize is set
    Font font;
    bool minimizeBox = false;
    bool outerSize = false;
};

class Form {
public:
    Form(FormSpec design, std::span<const ControlSpec> controls);
    // Destroys a window that is still loaded without running its handlers (Form_Unload is not
    // called): unload a form first where its unload handler matters.
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool Loaded() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }

    // Creates the window hidden (runs Form_Load once) if it does not exist yet.
    void Load();
    // Shows the window modeless and gives it the focus.
    void Show();
    // Shows the window with its owner disabled and returns once it is unloaded.
    void ShowModal(HWND owner);
    void Hide();
    void Unload();

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    // Controls by id, as Windows' own dialog functions take them.
    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }
    bool IsItemChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void CheckItem(int id, bool checked) const { CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
    void ShowItem(int id, bool visible) const { ShowWindow(Item(id), visible ? SW_SHOWNA : SW_HIDE); }
    void EnableItem(int id, bool enabled) const { EnableWindow(Item(id), enabled ? TRUE : FALSE); }
    // Chooses a combo box's item by its index; -1 chooses none.
    void ChooseItem(int id, int index) const {
        SendDlgItemMessageW(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // Pixels for twips at the window's DPI.
    int Px(int twips) const;
    // Adds the columns to a report-view list view of the window, their widths at its DPI.
    void AddListColumns(int listView, std::span<const ListColumn> columns) const;

    // The loaded form that owns the top-level window, or null.
    static Form* FromHwnd(HWND hwnd);
    // Number of loaded forms; the program ends when the last one is unloaded.
    static int LoadedCount();

protected:
    virtual void Form_Load() {}
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    // A control's notification; some (a list asking what to show) are answered in `header`.
    virtual LRESULT OnNotify(NMHDR& /*header*/) { return 0; }
    // The close box or Escape; the default unloads the window.
    virtual void OnClose() { Unload(); }
    virtual void Form_Unload() {}
    // Any other message; set handled to answer it.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 0;
    }

    void SetCaption(const std::wstring& caption);
    // Sets every control's text from the layout table again (after the language changed).
    void ApplyTexts() const;
    // Shows or hides every control of a group.
    void SetGroupVisible(int group, bool visible);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    HFONT FontFor(const Font* font);
    void SizeAndCentre();

    FormSpec spec_;
    std::vector<ControlSpec> controls_;
    HWND hwnd_ = nullptr;
    HWND modalOwner_ = nullptr;
    std::vector<base::ScopedFont> fonts_;
    std::vector<std::pair<Font, HFONT>> fontCache_;
};

// A window that exists at most once: loaded on first use, made anew once it was unloaded.
template <typename T>
class SingleWindow {
public:
    // The window, created with `args` when there is none loaded.
    template <typename... Args>
    T& Get(Args&&... args) {
        if (!IsLoaded()) window_ = std::make_unique<T>(std::forward<Args>(args)...);
        return *window_;
    }
    bool IsLoaded() const { return window_ && window_->Loaded(); }
    // The loaded window, or null.
    T* IfLoaded() const { return IsLoaded() ? window_.get() : nullptr; }
    void Unload() {
        if (IsLoaded()) window_->Unload();
    }

private:
    std::unique_ptr<T> window_;
};

}  // namespace ui
