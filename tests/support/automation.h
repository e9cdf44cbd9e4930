// Driving the real Corvalink.exe from a test as a user would: a program folder with fixture
// files, the running process, its windows found by class and title, message boxes read and
// answered, control texts read and set, and waits that always have a bound.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace uia {

using namespace std::chrono_literals;
constexpr auto kDefaultWait = 10s;

// The built program folder (from CORVALINK_PROGRAM_DIR, a Unix path, seen through Z:).
std::wstring BuiltProgramDir();
// The about window's title, with the version this build carries.
std::wstring AboutTitle();
// The language files of the built program folder by name ("Corvalink.lng", "Corvalink.en.lng"):
// every language shipped.
std::vector<std::wstring> BuiltLanguageFiles();
// The built game double camelot.exe (from CORVALINK_GAME_DOUBLE).
std::wstring BuiltGameDouble();

// A temporary program folder holding copies of the built Corvalink.exe, Modal.exe and
// language files, and fixture files written by the test.
class ProgramFolder {
public:
    struct Parts {
        bool languageFile = true;
        bool companion = true;
    };
    ProgramFolder() : ProgramFolder(Parts{}) {}
    // `parent` and `name` as for TempDir: a program folder on a given disk or with a given name.
    explicit ProgramFolder(Parts parts, const std::wstring& parent = L"", const std::wstring& name = L"");

    const std::wstring& path() const { return dir_.path(); }
    std::wstring File(const std::wstring& name) const { return dir_ / name; }
    std::wstring Exe() const { return File(L"Corvalink.exe"); }
    std::wstring Settings() const { return File(L"Corvalink.dat"); }
    std::wstring Language() const { return File(L"Corvalink.lng"); }

    // Writes a file of the folder from ANSI (Windows-1252) bytes.
    void Write(const std::wstring& name, const std::string& ansiBytes) const;
    std::string Read(const std::wstring& name) const;
    bool Has(const std::wstring& name) const;
    // The names of the settings file's backup copies, oldest first.
    std::vector<std::wstring> Backups() const;

private:
    testing_support::TempDir dir_;
};

// The rig's folder (seen through Z:): its Wine prefix is "<rig>\\prefix".
std::wstring RigFolder();
// The rig's small RAM disk (a folder seen through Z:), or empty when the rig could not mount one.
std::wstring RigRamDisk();

// Fills the disk that holds `folder` to the last byte, then gives back `pagesLeft` pages of
// 4 KB; the filler goes when the object goes.
class FullDisk {
public:
    explicit FullDisk(const std::wstring& folder, int pagesLeft = 0);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    std::wstring filler_;
};

// Another program that holds a file without sharing it, from now until Release (or for a
// while, released by a thread).
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() {
        if (releaser_.joinable()) releaser_.join();
        Release();
    }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    void ReleaseAfter(std::chrono::milliseconds delay) {
        releaser_ = std::thread([this, delay] {
            Sleep(static_cast<DWORD>(delay.count()));
            Release();
        });
    }

private:
    HANDLE handle_;
    std::thread releaser_;
};

// Waits until `condition` holds or the bound passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = kDefaultWait);
// Checks that `condition` keeps holding for the whole time (that nothing happened); false as
// soon as it fails.
bool StaysTrue(const std::function<bool()>& condition, std::chrono::milliseconds duration);

// The Startup folder as a test found it: a Windows-start shortcut there stays or comes back,
// one that was not there is gone again, whatever the test did and however it ended.
class StartupFolderGuard {
public:
    StartupFolderGuard();
    ~StartupFolderGuard();
    StartupFolderGuard(const StartupFolderGuard&) = delete;
    StartupFolderGuard& operator=(const StartupFolderGuard&) = delete;
    // The program's shortcut in the Startup folder.
    static std::wstring Shortcut();

private:
    std::optional<std::string> saved_;
};

// A started Corvalink.exe; ended when the object goes, if it still runs.
class RunningProgram {
public:
    // Starts the folder's executable; `arguments` are appended to the quoted program name.
    static RunningProgram Start(const ProgramFolder& folder, const std::wstring& arguments = L"");
    // Starts any executable in its own folder.
    static RunningProgram StartExe(const std::wstring& exe, const std::wstring& arguments = L"");
    // Starts a command line as given (the system finds the program in it, as from a shortcut).
    static RunningProgram StartCommandLine(std::wstring commandLine, const std::wstring& dir);
    RunningProgram(RunningProgram&& other) noexcept;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();

    DWORD pid() const { return pid_; }
    // The process's priority class now.
    DWORD PriorityClass() const { return GetPriorityClass(process_); }
    void SetPriority(DWORD priorityClass) const { SetPriorityClass(process_, priorityClass); }
    bool Running() const;
    // The exit code once the process has ended within the bound.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds bound = kDefaultWait) const;
    void Kill();

private:
    RunningProgram(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// A top-level window of the process with the class (null: any) and exact title (null: any),
// visible or not; null when there is none.
HWND FindWindowOf(DWORD pid, const wchar_t* windowClass, const wchar_t* title);
// The same, waiting up to the bound.
HWND WaitForWindow(DWORD pid, const wchar_t* windowClass, const wchar_t* title,
                   std::chrono::milliseconds bound = kDefaultWait);
// Every top-level window of the process.
std::vector<HWND> WindowsOf(DWORD pid);

// A message box as the user sees it.
struct MessageBoxInfo {
    std::wstring title;
    std::wstring text;
    bool hasIcon = false;
};
// Waits for a message box (class #32770 with a message text) of the process.
HWND WaitForMessageBox(DWORD pid, std::chrono::milliseconds bound = kDefaultWait);
MessageBoxInfo ReadMessageBox(HWND box);
// Waits for a message box of the process, reads it, presses `button` and waits until it is
// gone. Without a box within the bound the text is "<no message box>".
MessageBoxInfo AnswerMessageBox(DWORD pid, int button, std::chrono::milliseconds bound = kDefaultWait);
// Presses a button of a dialog or message box (IDOK, IDYES, IDNO, ...), as a click would, and
// returns once the press is handled (or has opened a modal box).
void PressButton(HWND dialog, int buttonId);

// Text of any window or control of another process.
std::wstring TextOf(HWND window);
void SetTextOf(HWND control, const std::wstring& text);
std::wstring ClassOf(HWND window);

// Controls of another process whose messages carry pointers: the data goes through memory
// allocated in that process.
std::vector<std::vector<std::wstring>> ListViewRowsOf(HWND listView, int columns);
void ListViewSelectIn(HWND listView, int index);
// Whether a row's tick box is ticked, and ticking or clearing it with a click on it, as a user
// does (list views with tick boxes); false when the click did not do it.
bool ListViewTicked(HWND listView, int index);
[[nodiscard]] bool ListViewCheckIn(HWND listView, int index, bool checked);
// A click in the middle of a row's cell of that column, as a user does; returns once handled.
void ListViewClickCell(HWND listView, int index, int column);
std::vector<std::wstring> ComboItemsOf(HWND combo);
std::vector<std::wstring> ListBoxItemsOf(HWND list);

// The control of the window's thread that has the keyboard focus, or null.
HWND FocusIn(HWND window);
// Moves the focus in a dialog of another process, as a click or Tab would.
void FocusControl(HWND dialog, HWND control);
// The keyboard, as the control that has the focus in the window's thread meets it: a key
// pressed (VK_TAB, VK_RETURN, VK_DOWN, ...), or text typed character by character. Each
// returns once the program has handled it.
void PressKey(HWND window, WORD key);
// Keys pressed on the X server's keyboard (xdotool's names: "alt+v", "ctrl+alt+1") while the
// window has the X keyboard focus, as a player types them; false when xdotool could not run.
bool PressOnXKeyboard(HWND window, const std::wstring& keys);
void TypeText(HWND window, const std::wstring& text);

// Closes a window as its close box would and waits until it is gone; true when it went.
bool CloseAndWait(HWND window);

// The tray: the hidden tray window, the icon's mouse notifications, the popup menu.
HWND WaitForTrayWindow(DWORD pid, std::chrono::milliseconds bound = kDefaultWait);
void TrayMouse(HWND trayWindow, UINT mouseMessage);
// Opens the configuration window with a double click on the icon, as a user does; null
// when it did not open.
HWND OpenConfigWindow(DWORD pid, const wchar_t* title = L"Corvalink :: Konfiguration der QuickLogins");
// True while the shell holds an icon for the tray window.
bool TrayIconExists(HWND trayWindow);
// The tips of the icons that the shell shows now, read from the shell's tooltips (in Wine's
// 64-bit shell process, for the 32-bit tests as well).
std::vector<std::wstring> TrayTips();
// Success once an icon's tip is `tip` (within the bound); the failure lists the tips.
::testing::AssertionResult TrayTipBecomes(const std::wstring& tip, std::chrono::milliseconds bound = kDefaultWait);
// Opens the popup menu with a right press on the icon and presses the keys in it (each a
// virtual-key code: VK_DOWN, VK_RIGHT, VK_RETURN, ...). False when no menu opened.
bool UseTrayMenu(DWORD pid, const std::vector<WORD>& keys);
// The tray menu as a test expects it to be shown: how many QuickLogins and teams it lists, and
// whether a login runs (which greys them and offers to cancel it).
struct ShownTrayMenu {
    size_t quickLogins = 0, teams = 0;
    bool running = false;
    size_t runningGames = 0;  // "Laufende Spiele" lists them
};                            // a long menu's QuickLogins are taken to share one server and realm
// The keys that select the item with this command (tray_menu's ids) in a menu just opened:
// Down to it, and Right into each submenu on its way.
std::vector<WORD> TrayMenuKeys(const ShownTrayMenu& shown, UINT command);
// Opens the tray menu and chooses the item with this command from the keyboard; returns once
// the menu is closed.
bool PickTrayCommand(DWORD pid, const ShownTrayMenu& shown, UINT command);
// The QuickLogin or team at `index` of the menu.
bool PickQuickLogin(DWORD pid, size_t index, ShownTrayMenu shown = {});
bool PickTeam(DWORD pid, size_t index, const ShownTrayMenu& shown);
// In the "Laufende Spiele" submenu: the running game at `index`, or (index = runningGames,
// + 1) "Fensterplätze merken" and "Fensterplätze vergessen".
bool PickInRunningGames(DWORD pid, size_t index, const ShownTrayMenu& shown);

// A settings-file line "<key>=<scrambled text>" of section "quicklogin", in ANSI bytes, in
// the form the program stores it.
std::string QuickLoginLine(int key, const std::wstring& text);
// An entry's scrambled form, as the settings file keeps it (ANSI bytes).
std::string Scrambled(const std::wstring& text);

// A settings-file line "<scrambled login>=<scrambled password>" of section "accounts", in
// ANSI bytes (the classic form: for texts whose scrambled bytes read back).
std::string AccountLine(const std::wstring& login, const std::wstring& password);

// Converts between Windows-1252 bytes and text, for fixtures and checks.
std::string Ansi(const std::wstring& text);
std::wstring FromAnsiBytes(const std::string& bytes);
// Text as UTF-8, as the game double logs what it received.
std::string ToUtf8(const std::wstring& text);

}  // namespace uia
