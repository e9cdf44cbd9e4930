#include "login/game_windows.h"

#include <algorithm>

#include "store/ansi.h"
#include "ui/message_loop.h"

namespace {

// Short, so that a hanging game holds up the program's own windows for a moment at most; once
// the system deems the window hung, sends to it fail at once.
constexpr UINT kAnswerTimeoutMs = 1000;

// Null stays null: a null class or caption matches any.
struct AnsiArg {
    explicit AnsiArg(const wchar_t* text) : present(text != nullptr), bytes(text ? ToAnsi(text) : std::string()) {}
    const char* get() const { return present ? bytes.c_str() : nullptr; }
    bool present;
    std::string bytes;
};

}  // namespace

HWND FindTopWindow(const wchar_t* windowClass, const wchar_t* title, Visibility visibility,
                   const std::function<bool(HWND)>& belongs) {
    const AnsiArg cls(windowClass), caption(title);
    for (HWND w = FindWindowExA(nullptr, nullptr, cls.get(), caption.get()); w;
         w = FindWindowExA(nullptr, w, cls.get(), caption.get())) {
        if (visibility == Visibility::kShown && !IsWindowVisible(w)) continue;
        if (!belongs || belongs(w)) return w;
    }
    return nullptr;
}

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> AllTopWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindChildWindow(HWND parent, HWND after, const wchar_t* windowClass, const wchar_t* caption) {
    if (!parent) return nullptr;
    return FindWindowExA(parent, after, AnsiArg(windowClass).get(), AnsiArg(caption).get());
}

SendResult SendToGame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result))
        return SendResult::kDone;
    return GetLastError() == ERROR_ACCESS_DENIED ? SendResult::kAccessDenied : SendResult::kNoAnswer;
}

SendResult SetGameText(HWND window, const std::wstring& text) {
    const std::string ansi = ToAnsi(text);
    return SendToGame(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

SendResult ClickWindow(HWND window) {
    const SendResult down = SendToGame(window, WM_LBUTTONDOWN, 0, 0);
    if (down == SendResult::kAccessDenied) return down;
    ui::DoEvents();
    const SendResult up = SendToGame(window, WM_LBUTTONUP, 0, 0);
    return down == SendResult::kDone ? up : down;
}
