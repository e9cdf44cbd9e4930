// The floor for start-up and memory: the least a Win32 program does before it can sit in the
// tray, one hidden window and a message loop.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.lpszClassName = L"CorvalinkFloor";
    RegisterClassW(&cls);
    CreateWindowExW(0, L"CorvalinkFloor", L"floor", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
