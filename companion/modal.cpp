// Modal.exe: the companion that Corvalink starts once it has filled the game's login dialog.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
