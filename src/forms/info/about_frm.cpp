#include "forms/info/about_frm.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "base/lang.h"
#include "base/paths.h"
#include "base/product.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using namespace about_frm;

constexpr wchar_t kWebAddress[] = L"corvalink.example.org";

const ui::Font kBold{L"Trebuchet MS", 825, true};
const ui::Font kLinkFont{L"Trebuchet MS", 825, true, true};
const ui::Font kBannerFont{L"Trebuchet MS", 2000, true};

constexpr ui::ControlSpec kControls[] = {
    {DescrLbl[0], ui::Kind::kLabel, nullptr, 120, 1600, 3495, 735, &kBold, SS_CENTER},
    // The right column: author and address each on a line of their own, wide enough for the
    // fonts that stand in for Trebuchet MS at any DPI.
    {DescrLbl[2], ui::Kind::kLabel, L"about/author", 3960, 240, 3495, 300, &kBold, SS_CENTER},
    {DescrLbl[1], ui::Kind::kLabel, kWebAddress, 3960, 560, 3495, 300, &kLinkFont, SS_CENTER | SS_NOTIFY},
    {DescrLbl[3], ui::Kind::kLabel, L"about/trademarks", 3960, 960, 3495, 1695, nullptr, SS_CENTER},
    {CorvalinkImg, ui::Kind::kImage, nullptr, 2400, 240, 480, 480},
    // In place of the game's logo, which is not ours to ship: the product's name.
    {DAoCImg[0], ui::Kind::kLabel, kProductName, 120, 760, 3495, 480, &kBannerFont, SS_CENTER},
    {DAoCImg[1], ui::Kind::kLabel, L"about/for_game", 120, 1240, 3495, 255, nullptr, SS_CENTER},
};

// "major.minor.revision" from the executable's version resource.
std::wstring ProgramVersion() {
    const std::wstring& exe = ExecutablePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (size == 0) return L"?";
    std::string data(size, '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info)
        return L"?";
    return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) +
           L"." + std::to_wstring(HIWORD(info->dwFileVersionLS));
}

class AboutFrm : public ui::Form {
public:
    AboutFrm() : Form({kProductName, 7725, 2775, {L"Trebuchet MS", 825}}, kControls) {}

protected:
    void Form_Load() override {
        SetCaption(ProductTitle(LangText(L"about", L"ver") + L" " + ProgramVersion()));
        SetItemText(DescrLbl[0], LangText(L"about", L"descr"));
    }

    void OnCommand(int id, int code) override {
        for (int index = 0; index < 4; ++index)
            if (id == DescrLbl[index] && code == STN_CLICKED) DescrLbl_Click(index);
    }

    // Label 1, the author's address, opens it in the browser.
    void DescrLbl_Click(int index) {
        if (index != 1) return;
        const std::wstring address = L"http://" + ItemText(DescrLbl[1]);
        ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        // The address is drawn blue, like a link, and shows the hand pointer.
        if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(DescrLbl[1])) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkMode(dc, TRANSPARENT);
            handled = true;
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == Item(DescrLbl[1])) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, TRUE);
            handled = true;
            return TRUE;
        }
        handled = false;
        return 0;
    }
};

ui::SingleWindow<AboutFrm> g_window;

}  // namespace

void ShowAboutModal() {
    if (g_window.IsLoaded()) {
        FocusAboutWindow();
        return;
    }
    g_window.Get().ShowModal(nullptr);
}

void FocusAboutWindow() {
    if (AboutFrm* about = g_window.IfLoaded(); about && IsWindowVisible(about->hwnd()))
        SetForegroundWindow(about->hwnd());
}
