#include "support/automation.h"

#include "tray/tray_menu.h"
#include "version.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <utility>

#include "base/handles.h"
#include "base/product.h"
#include "store/ansi.h"
#include "store/scrambled_form.h"
#include "store/simple_crypt.h"
#include "tray/systray_icon.h"

namespace uia {

namespace {

std::wstring EnvVar(const wchar_t* name) {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n && n < 4096 ? std::wstring(buffer, n) : std::wstring();
}

void CopyOrThrow(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy a file of the built program folder");
}

}  // namespace

// A Unix path from the environment, as Windows programs under Wine see it.
static std::wstring UnixPathFromEnv(const wchar_t* name) {
    std::wstring unix = EnvVar(name);
    if (unix.empty()) throw std::runtime_error("a path of the build is missing from the environment");
    for (wchar_t& c : unix)
        if (c == L'/') c = L'\\';
    return L"Z:" + unix;
}

std::wstring BuiltProgramDir() { return UnixPathFromEnv(L"CORVALINK_PROGRAM_DIR"); }

std::wstring AboutTitle() {
    return L"Corvalink :: Version "
           L"" CORVALINK_VERSION_TEXT;
}
std::wstring BuiltGameDouble() { return UnixPathFromEnv(L"CORVALINK_GAME_DOUBLE"); }

bool StaysTrue(const std::function<bool()>& condition, std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        if (!condition()) return false;
        Sleep(20);
    } while (std::chrono::steady_clock::now() < end);
    return condition();
}

std::wstring StartupFolderGuard::Shortcut() {
    wchar_t path[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\" + kProductName + L".lnk";
}

StartupFolderGuard::StartupFolderGuard() {
    if (GetFileAttributesW(Shortcut().c_str()) != INVALID_FILE_ATTRIBUTES)
        saved_ = testing_support::ReadBytes(Shortcut());
}

StartupFolderGuard::~StartupFolderGuard() {
    if (saved_)
        testing_support::WriteBytes(Shortcut(), *saved_);
    else
        DeleteFileW(Shortcut().c_str());
}

std::wstring RigFolder() { return UnixPathFromEnv(L"CORVALINK_RIG"); }

std::wstring RigRamDisk() {
    const std::wstring rig = RigFolder();
    if (GetFileAttributesW((rig + L"\\ramdisk.mounted").c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return rig + L"\\ramdisk";
}

FullDisk::FullDisk(const std::wstring& folder, int pagesLeft) : filler_(folder + L"\\filler.bin") {
    base::ScopedFile fill(CreateFileW(filler_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!fill) return;
    std::string block(65536, 'x');
    for (size_t size = block.size(); size > 0; size /= 2) {
        DWORD written = 0;
        while (WriteFile(fill.get(), block.data(), static_cast<DWORD>(size), &written, nullptr) && written == size) {
        }
    }
    if (pagesLeft > 0) {
        LARGE_INTEGER end{};
        GetFileSizeEx(fill.get(), &end);
        end.QuadPart = std::max<LONGLONG>(0, end.QuadPart / 4096 * 4096 - 4096LL * pagesLeft);
        SetFilePointerEx(fill.get(), end, nullptr, FILE_BEGIN);
        SetEndOfFile(fill.get());
    }
}

FullDisk::~FullDisk() { DeleteFileW(filler_.c_str()); }

std::vector<std::wstring> BuiltLanguageFiles() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((BuiltProgramDir() + L"\\Corvalink*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

ProgramFolder::ProgramFolder(Parts parts, const std::wstring& parent, const std::wstring& name) : dir_(parent, name) {
    const std::wstring built = BuiltProgramDir();
    CopyOrThrow(built + L"\\Corvalink.exe", Exe());
    if (parts.companion) CopyOrThrow(built + L"\\Modal.exe", File(L"Modal.exe"));
    if (parts.languageFile)
        for (const std::wstring& language : BuiltLanguageFiles()) CopyOrThrow(built + L"\\" + language, File(language));
}

void ProgramFolder::Write(const std::wstring& name, const std::string& ansiBytes) const {
    testing_support::WriteBytes(File(name), ansiBytes);
}

std::string ProgramFolder::Read(const std::wstring& name) const { return testing_support::ReadBytes(File(name)); }

bool ProgramFolder::Has(const std::wstring& name) const {
    return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> ProgramFolder::Backups() const {
    return testing_support::FilesMatching(File(L"Corvalink.dat.*.bak"));
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
}

RunningProgram RunningProgram::Start(const ProgramFolder& folder, const std::wstring& arguments) {
    return StartExe(folder.Exe(), arguments);
}

RunningProgram RunningProgram::StartExe(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    const std::wstring dir = exe.substr(0, exe.find_last_of(L'\\'));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                        &info))
        throw std::runtime_error("cannot start a program");
    CloseHandle(info.hThread);
    return RunningProgram(info.hProcess, info.dwProcessId);
}

RunningProgram RunningProgram::StartCommandLine(std::wstring commandLine, const std::wstring& dir) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &info))
        throw std::runtime_error("cannot start a program");
    CloseHandle(info.hThread);
    return RunningProgram(info.hProcess, info.dwProcessId);
}

RunningProgram::RunningProgram(RunningProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), pid_(other.pid_) {}

RunningProgram::~RunningProgram() {
    if (!process_) return;
    Kill();
    CloseHandle(process_);
}

bool RunningProgram::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds bound) const {
    if (WaitForSingleObject(process_, static_cast<DWORD>(bound.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void RunningProgram::Kill() {
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
}

std::string QuickLoginLine(int key, const std::wstring& text) {
    return std::to_string(key) + "=" + Scrambled(text) + "\r\n";
}

std::string Scrambled(const std::wstring& text) { return ToAnsi(EncodeScrambled(text)); }

std::string AccountLine(const std::wstring& login, const std::wstring& password) {
    return ToAnsi(CryptText(login, L"")) + "=" + ToAnsi(CryptText(password, L"")) + "\r\n";
}

std::string Ansi(const std::wstring& text) { return ToAnsi(text); }
std::wstring FromAnsiBytes(const std::string& bytes) { return FromAnsi(bytes); }

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace uia
