#include "base/quit.h"

#include <windows.h>

namespace {

std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void SetQuitHook(std::function<void()> hook) { Hook() = std::move(hook); }

void QuitProgram() {
    if (Hook()) Hook()();
    ExitProcess(0);
}
