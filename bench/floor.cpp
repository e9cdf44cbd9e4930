// The floor for start-up, memory and the configuration window: the least a Win32 program does
// to do what Corvalink does. Up to the icon: the same manifest (common controls 6), the same
// common controls loaded, a COM apartment, one hidden window and a tray icon on it. Given a
// number of rows, a double click on the icon opens a window with a bare list view of that many
// rows (five columns, tick boxes, the rows kept by the window as Corvalink's are).
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;  // as Corvalink's icon
int g_rows = 0;

LRESULT CALLBACK ListWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            swprintf(item.pszText, static_cast<size_t>(item.cchTextMax), L"Char%d", item.iItem);
        if (item.mask & LVIF_STATE) {
            item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(1);
            item.stateMask |= LVIS_STATEIMAGEMASK;
        }
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void OpenListWindow(HINSTANCE instance) {
    HWND window = CreateWindowExW(0, L"CorvalinkFloorList", L"floor list", WS_OVERLAPPEDWINDOW, 100, 100, 660, 480,
                                  nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, 10, 10,
        620, 400, window, reinterpret_cast<HMENU>(1), instance, nullptr);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES,
                                        LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
    for (int column = 0; column < 5; ++column) {
        wchar_t header[] = L"Column";
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.cx = 100;
        c.pszText = header;
        ListView_InsertColumn(list, column, &c);
    }
    ListView_SetItemCountEx(list, g_rows, LVSICF_NOSCROLL);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

LRESULT CALLBACK TrayWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kTrayMessage && LOWORD(lParam) == WM_LBUTTONDBLCLK && g_rows > 0) {
        OpenListWindow(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)));
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    g_rows = std::wcstol(commandLine, nullptr, 10);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    WNDCLASSW cls{};
    cls.lpfnWndProc = TrayWindowProc;
    cls.hInstance = instance;
    cls.lpszClassName = L"CorvalinkFloor";
    RegisterClassW(&cls);
    WNDCLASSW listCls{};
    listCls.lpfnWndProc = ListWindowProc;
    listCls.hInstance = instance;
    listCls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    listCls.lpszClassName = L"CorvalinkFloorList";
    RegisterClassW(&listCls);
    HWND window =
        CreateWindowExW(0, L"CorvalinkFloor", L"floor", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = 2;  // the id Corvalink's icon has, which the benchmark asks the shell about
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icon.szTip, L"floor", 64);
    Shell_NotifyIconW(NIM_ADD, &icon);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
