// The floor for start-up and memory: the least a Win32 program does before it sits in the
// tray as Corvalink does, up to the icon: the same manifest (common controls 6), the same
// common controls loaded, a COM apartment, one hidden window and a tray icon on it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.lpszClassName = L"CorvalinkFloor";
    RegisterClassW(&cls);
    HWND window =
        CreateWindowExW(0, L"CorvalinkFloor", L"floor", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = window;
    icon.uID = 2;  // the id Corvalink's icon has, which the benchmark asks the shell about
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    icon.uCallbackMessage = WM_APP + 1;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icon.szTip, L"floor", 64);
    Shell_NotifyIconW(NIM_ADD, &icon);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
