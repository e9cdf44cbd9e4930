// The game double: a stand-in for the game's launcher camelot.exe that shows the windows
// Corvalink drives (launcher, game window, login dialog, agreement and terms windows) with
// their classes, titles and captions, in the game's order, and writes what it received to
// double.log beside itself. Its behaviour comes from double.ini beside itself:
//
//   [double]
//   mode=login          login | running (only a window with the running game's title) |
//                       hidden (that window, never shown)
//   launcher=german     german | english launcher title
//   play_button=1       0: the launcher has no buttons at all
//   window_delay_ms=0   before each window appears
//   game_delay_ms=0     more before the game window appears after Play
//   terms_clicks=1      clicks the terms window needs before it closes
//   linger_ms=3000      after the login the double ends after this time; 0: stays
//   hang_ms=0           the game window stops answering for this time at its first click
//   retitle_ms=0        after the login the game window titles itself anew after this time
//   patch_ms=0          the launcher keeps Play disabled this long (a patch check); "A-B": a
//                       random time between A and B
//   read_user_dat=start start: user.dat is read (and logged) at the start; login: when the
//                       login dialog is confirmed, as the game takes its quick-start entry then
//   login_dialog=1      0: the game window never shows its login dialog
//   game_process=same   same | child: Play starts a process of its own for the game window
//                       (camelot.exe /game) and the launcher's process ends
//   server_limit=0      more than this many logins within server_window_ms, counted over every
//   server_window_ms=15000  copy that shares server_file (an absolute path), are refused
//   server_file=        (logged "refused"; the game then shows nothing more), as a server might
//
// Log lines: "<microseconds since 1601> <event>[ <detail>]". The game window logs its handle
// ("game-window"), and each new title ("title") and place ("place x,y,w,h") another program
// gives it.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace {

std::wstring g_dir;

struct Scenario {
    std::wstring mode, launcher;
    bool playButton;
    int windowDelayMs, gameDelayMs, termsClicks, lingerMs, hangMs, retitleMs;
    std::wstring patch, readUserDat;
    bool loginDialog;
    std::wstring gameProcess;
    int serverLimit, serverWindowMs;
    std::wstring serverFile;
} g_scenario;

long long NowMicroseconds() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    return ((static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// One line a event, appended and closed at once so that a reader always sees it.
void Log(const std::string& event, const std::wstring& detail = L"") {
    std::string line = std::to_string(NowMicroseconds());
    line.append(" ").append(event);
    if (!detail.empty()) line.append(" ").append(Utf8(detail));
    line.append("\n");
    HANDLE file = CreateFileW((g_dir + L"\\double.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring Setting(const wchar_t* key, const wchar_t* fallback) {
    wchar_t value[256];
    GetPrivateProfileStringW(L"double", key, fallback, value, 256, (g_dir + L"\\double.ini").c_str());
    return value;
}
int IntSetting(const wchar_t* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntW(L"double", key, fallback, (g_dir + L"\\double.ini").c_str()));
}

std::wstring Escaped(const std::string& bytes) {
    std::wstring out;
    for (unsigned char c : bytes) {
        if (c == '\r')
            out += L"\\r";
        else if (c == '\n')
            out += L"\\n";
        else
            out += static_cast<wchar_t>(c);  // Latin-1 view of the bytes is enough for a log
    }
    return out;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// Deferred steps, run from the host window's timers.
HWND g_host = nullptr;
std::map<UINT_PTR, std::function<void()>> g_pending;
UINT_PTR g_nextTimer = 1;

void After(int ms, std::function<void()> step) {
    const UINT_PTR id = g_nextTimer++;
    g_pending[id] = std::move(step);
    SetTimer(g_host, id, static_cast<UINT>(ms > 0 ? ms : 1), nullptr);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        KillTimer(hwnd, wParam);
        auto it = g_pending.find(wParam);
        if (it != g_pending.end()) {
            auto step = std::move(it->second);
            g_pending.erase(it);
            step();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Dialog windows made from an empty template; their commands go to a handler.
std::map<HWND, std::function<void(int)>> g_commandHandlers;

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        auto it = g_commandHandlers.find(hwnd);
        if (it != g_commandHandlers.end()) {
            auto handler = it->second;  // the handler may destroy the window
            handler(LOWORD(wParam));
        }
        return TRUE;
    }
    if (msg == WM_CLOSE) return TRUE;  // only the double closes its windows
    if (msg == WM_DESTROY) g_commandHandlers.erase(hwnd);
    return FALSE;
}

HWND MakeDialog(const wchar_t* title, int width, int height, std::function<void(int)> onCommand) {
    struct alignas(4) {
        DLGTEMPLATE header;
        WORD menu, cls, title;
    } tmpl{};
    tmpl.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, nullptr, DialogProc, 0);
    g_commandHandlers[dialog] = std::move(onCommand);
    SetWindowTextW(dialog, title);
    SetWindowPos(dialog, nullptr, 200, 150, width, height, SWP_NOZORDER);
    return dialog;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void Reveal(HWND window, const char* name) {
    ShowWindow(window, SW_SHOWNORMAL);
    Log(std::string("shown ") + name);
}

// Logs the texts that the fields receive.
std::map<HWND, std::pair<WNDPROC, std::string>> g_watched;
LRESULT CALLBACK WatchedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& [original, name] = g_watched[hwnd];
    if (msg == WM_SETTEXT) Log(name + "-set");
    return CallWindowProcW(original, hwnd, msg, wParam, lParam);
}
void Watch(HWND field, const std::string& name) {
    g_watched[field] = {
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchedProc))),
        name};
}

void LogUserDat() { Log("user.dat", Escaped(ReadFileBytes(g_dir + L"\\user.dat"))); }

// The server's limit, shared by every copy through one file of login times: a login is refused
// when more than the limit came within the window before it (this one counted).
bool ServerTakesLogin() {
    if (g_scenario.serverLimit <= 0 || g_scenario.serverFile.empty()) return true;
    // The file is held while it is read and written: copies confirm their logins at once.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tries = 0; tries < 200 && file == INVALID_HANDLE_VALUE; ++tries) {
        file = CreateFileW(g_scenario.serverFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) Sleep(10);
    }
    if (file == INVALID_HANDLE_VALUE) return true;
    std::string times(GetFileSize(file, nullptr), '\0');
    DWORD done = 0;
    ReadFile(file, times.data(), static_cast<DWORD>(times.size()), &done, nullptr);
    const long long now = NowMicroseconds();
    int recent = 1;
    size_t start = 0;
    for (size_t end; (end = times.find('\n', start)) != std::string::npos; start = end + 1)
        if (now - std::stoll(times.substr(start, end - start)) < g_scenario.serverWindowMs * 1000LL) ++recent;
    const std::string line = std::to_string(now) + "\n";
    SetFilePointer(file, 0, nullptr, FILE_END);
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
    CloseHandle(file);
    return recent <= g_scenario.serverLimit;
}

HWND g_game = nullptr;
std::wstring g_gameStatus = L"Dark Age of Camelot wird geladen ...";

void LoggedIn() {
    Log("logged-in");
    g_gameStatus = L"Eingeloggt. Viel Spaß in den Reichen!";
    InvalidateRect(g_game, nullptr, TRUE);
    // As the real game does when it enters the world: its own title again, set by itself.
    if (g_scenario.retitleMs > 0)
        After(g_scenario.retitleMs, [] {
            DefWindowProcW(g_game, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Dark Age of Camelot"));
            Log("self-title");
        });
    if (g_scenario.lingerMs > 0) After(g_scenario.lingerMs, [] { PostQuitMessage(0); });
}

void ShowTerms() {
    static int clicks = 0;
    HWND terms = MakeDialog(L"Nutzungsbedingungen", 420, 260, [](int) {});
    g_commandHandlers[terms] = [terms](int id) {
        if (id != 4001) return;
        Log("terms-click");
        if (++clicks >= g_scenario.termsClicks) {
            DestroyWindow(terms);
            LoggedIn();
        }
    };
    Child(terms, L"STATIC", L"Bitte akzeptieren Sie die Nutzungsbedingungen.", 0, -1, 10, 10, 380, 60);
    Child(terms, L"BUTTON", L"ANNEHMEN", BS_PUSHBUTTON, 4001, 150, 150, 100, 28);
    Reveal(terms, "terms");
}

void ShowAgreement() {
    HWND agreement = MakeDialog(L"Endbenutzer Lizenzvereinbarung", 420, 260, [](int) {});
    g_commandHandlers[agreement] = [agreement](int id) {
        if (id == 3002) Log("agreement-declined");
        if (id != 3001) return;
        Log("agreement-click");
        DestroyWindow(agreement);
        After(g_scenario.windowDelayMs, ShowTerms);
    };
    Child(agreement, L"STATIC", L"Endbenutzer-Lizenzvereinbarung des Spiels.", 0, -1, 10, 10, 380, 60);
    Child(agreement, L"BUTTON", L"ANNEHMEN", BS_PUSHBUTTON, 3001, 90, 150, 100, 28);
    Child(agreement, L"BUTTON", L"ABLEHNEN", BS_PUSHBUTTON, 3002, 210, 150, 100, 28);
    Reveal(agreement, "agreement");
}

void ShowLoginDialog() {
    HWND dialog = MakeDialog(L"Dark Age of Camelot", 360, 220, [](int) {});
    Child(dialog, L"STATIC", L"Passwort:", 0, -1, 10, 14, 90, 20);
    HWND password = Child(dialog, L"EDIT", L"", ES_PASSWORD | WS_BORDER | WS_TABSTOP, 2001, 110, 10, 200, 24);
    Child(dialog, L"STATIC", L"Server:", 0, -1, 10, 48, 90, 20);
    HWND servers = Child(dialog, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP, 2002, 110, 44, 200, 120);
    SendMessageW(servers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Europa"));
    SendMessageW(servers, CB_SETCURSEL, 0, 0);
    Child(dialog, L"STATIC", L"Account:", 0, -1, 10, 82, 90, 20);
    HWND account = Child(dialog, L"COMBOBOX", L"", CBS_DROPDOWN | WS_TABSTOP, 2003, 110, 78, 200, 120);
    Child(dialog, L"BUTTON", L"Verbinden", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 110, 130, 95, 28);
    Child(dialog, L"BUTTON", L"Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 215, 130, 95, 28);
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    Watch(password, "password");
    Watch(FindWindowExW(account, nullptr, L"Edit", nullptr), "account");
    g_commandHandlers[dialog] = [dialog, password, account](int id) {
        if (id == IDCANCEL) Log("login-cancelled");
        if (id != IDOK) return;
        if (g_scenario.readUserDat == L"login") LogUserDat();
        if (!ServerTakesLogin()) {
            Log("refused");
            DestroyWindow(dialog);
            return;
        }
        wchar_t text[256];
        GetWindowTextW(password, text, 256);
        Log("password", text);
        GetWindowTextW(account, text, 256);
        Log("account", text);
        DestroyWindow(dialog);
        After(g_scenario.windowDelayMs, ShowAgreement);
    };
    Reveal(dialog, "login");
}

LRESULT CALLBACK GameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static bool loginShown = false;
    switch (msg) {
        case WM_LBUTTONUP:
            Log("game-click");
            if (!loginShown && g_scenario.hangMs > 0) {
                Log("hang");
                Sleep(static_cast<DWORD>(g_scenario.hangMs));
            }
            if (!loginShown) {
                loginShown = true;
                if (g_scenario.loginDialog) After(g_scenario.windowDelayMs, ShowLoginDialog);
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rect;
            GetClientRect(hwnd, &rect);
            FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            SetTextColor(dc, RGB(230, 200, 90));
            SetBkMode(dc, TRANSPARENT);
            DrawTextW(dc, g_gameStatus.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_CLOSE: PostQuitMessage(0); return 0;
        // Another program may title and move the window, as the real game's window allows.
        case WM_SETTEXT: {
            const LRESULT done = DefWindowProcW(hwnd, msg, wParam, lParam);
            Log("title", reinterpret_cast<const wchar_t*>(lParam));
            return done;
        }
        case WM_WINDOWPOSCHANGED: {
            const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                Log("place", std::to_wstring(pos.x) + L"," + std::to_wstring(pos.y) + L"," + std::to_wstring(pos.cx) +
                                 L"," + std::to_wstring(pos.cy));
            break;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void ShowGame(HWND launcher) {
    if (launcher) DestroyWindow(launcher);
    WNDCLASSW cls{};
    cls.lpfnWndProc = GameProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"DAoCClient";
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&cls);
    g_game = CreateWindowExW(0, L"DAoCClient", L"Dark Age of Camelot", WS_OVERLAPPEDWINDOW, 100, 80, 640, 480, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    Log("game-window", std::to_wstring(reinterpret_cast<UINT_PTR>(g_game)));
    Reveal(g_game, "game");
}

// The patch check's time: "N" or a random time in "A-B".
int PatchMilliseconds() {
    const std::wstring& patch = g_scenario.patch;
    const size_t dash = patch.find(L'-');
    if (dash == std::wstring::npos) return _wtoi(patch.c_str());
    const int low = _wtoi(patch.substr(0, dash).c_str()), high = _wtoi(patch.substr(dash + 1).c_str());
    return high > low ? low + static_cast<int>(GetTickCount64() * 7919 % static_cast<unsigned>(high - low)) : low;
}

// The game in a process of its own, as some games run it: the launcher's process ends.
void StartGameProcess(HWND launcher) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(path) + L"\" /game";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, g_dir.c_str(), &startup, &process)) {
        Log("game-process", std::to_wstring(process.dwProcessId));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DestroyWindow(launcher);
    PostQuitMessage(0);
}

void ShowLauncher() {
    const wchar_t* title = g_scenario.launcher == L"english" ? L"Press the Play button to play"
                                                             : L"Klickt auf 'Spielen', um das Spiel zu starten.";
    HWND launcher = MakeDialog(title, 460, 300, [](int) {});
    g_commandHandlers[launcher] = [launcher](int id) {
        static bool started = false;
        if (id != 1002) return;
        Log("play-click");
        if (!started) {
            started = true;
            After(g_scenario.gameDelayMs + g_scenario.windowDelayMs, [launcher] {
                if (g_scenario.gameProcess == L"child")
                    StartGameProcess(launcher);
                else
                    ShowGame(launcher);
            });
        }
    };
    Child(launcher, L"STATIC", L"DAoC-Launcher (Testdouble)", 0, -1, 10, 10, 420, 40);
    if (g_scenario.playButton) {
        Child(launcher, L"BUTTON", L"Optionen", BS_PUSHBUTTON, 1001, 20, 200, 120, 30);
        HWND play = Child(launcher, L"BUTTON", L"Spielen", BS_PUSHBUTTON, 1002, 300, 200, 120, 30);
        if (const int patchMs = PatchMilliseconds(); patchMs > 0) {
            EnableWindow(play, FALSE);
            After(patchMs, [play] {
                EnableWindow(play, TRUE);
                Log("patched");
            });
        }
    }
    Reveal(launcher, "launcher");
}

void ShowRunningGame() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"DAoCRunning";
    RegisterClassW(&cls);
    HWND running =
        CreateWindowExW(0, L"DAoCRunning", L"Dark Age of Camelot, Copyright © 2001-04 Mythic Entertainment, Inc.",
                        WS_OVERLAPPEDWINDOW, 50, 50, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (g_scenario.mode == L"hidden")
        Log("created", L"running");
    else
        Reveal(running, "running");
    if (g_scenario.lingerMs > 0) After(g_scenario.lingerMs, [] { PostQuitMessage(0); });
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    g_dir = path;
    g_dir.resize(g_dir.find_last_of(L'\\'));
    g_scenario = {
        Setting(L"mode", L"login"),        Setting(L"launcher", L"german"),     IntSetting(L"play_button", 1) != 0,
        IntSetting(L"window_delay_ms", 0), IntSetting(L"game_delay_ms", 0),     IntSetting(L"terms_clicks", 1),
        IntSetting(L"linger_ms", 3000),    IntSetting(L"hang_ms", 0),           IntSetting(L"retitle_ms", 0),
        Setting(L"patch_ms", L"0"),        Setting(L"read_user_dat", L"start"), IntSetting(L"login_dialog", 1) != 0,
        Setting(L"game_process", L"same"), IntSetting(L"server_limit", 0),      IntSetting(L"server_window_ms", 15000),
        Setting(L"server_file", L"")};
    const bool gameOnly = commandLine && wcsstr(commandLine, L"/game");

    WNDCLASSW host{};
    host.lpfnWndProc = HostProc;
    host.hInstance = instance;
    host.lpszClassName = L"CamelotDoubleHost";
    RegisterClassW(&host);
    g_host = CreateWindowExW(0, L"CamelotDoubleHost", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);

    if (gameOnly) {
        ShowGame(nullptr);  // started by the launcher's process
    } else {
        Log("start");
        if (g_scenario.readUserDat != L"login") LogUserDat();
        if (g_scenario.mode == L"running" || g_scenario.mode == L"hidden")
            ShowRunningGame();
        else
            After(g_scenario.windowDelayMs, ShowLauncher);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && g_commandHandlers.count(root) && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The launcher's process of a game in a process of its own ends without the game.
    if (!(g_scenario.gameProcess == L"child" && !gameOnly)) Log("end");
    return 0;
}
