// A window as its designer drew it: a client area and controls with positions in twips, a
// font, a caption and a tab order. Built on the dialog manager (from an empty in-memory
// template), so Tab, Enter on the default button and Escape work as users expect.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "ui/handles.h"

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
    kListView,          // report view
    kCheckBox,
    kImage,             // shows the program icon (every form also carries it as window icon)
    kEtchedLine,        // horizontal line
};

// One control of a layout table. Controls are created in table order, which is the tab order.
struct ControlSpec {
    int id;
    Kind kind;
    const wchar_t* text;
    int left, top, width, height;  // twips
    const Font* font = nullptr;    // the form's font when null
    DWORD style = 0;               // extra window styles (SS_RIGHT, ES_..., WS_DISABLED, ...)
    int group = 0;                 // controls shown and hidden together (a page); 0 = none
    int limit = 0;                 // most characters a text box takes; 0 = no limit
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
    // Pixels for twips at the window's DPI.
    int Px(int twips) const;

    // The loaded form that owns the top-level window, or null.
    static Form* FromHwnd(HWND hwnd);
    // Number of loaded forms; the program ends when the last one is unloaded.
    static int LoadedCount();

protected:
    virtual void Form_Load() {}
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    // The close box or Escape; the default unloads the window.
    virtual void OnClose() { Unload(); }
    virtual void Form_Unload() {}
    // Any other message; set handled to answer it.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return 0;
    }

    void SetCaption(const std::wstring& caption);
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
    std::vector<ScopedFont> fonts_;
    std::vector<std::pair<Font, HFONT>> fontCache_;
};

}  // namespace ui
