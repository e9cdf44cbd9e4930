// The processes one login started: the launcher it ran and every process that one started
// (the game may run in a process of its own). A run knows its windows by them, so two logins
// under way side by side never take each other's windows, whatever order those come in.
#pragma once
#include <windows.h>

#include <vector>

class ProcessFamily {
public:
    // `root`: the launcher's process id; 0 when the system gave none (then no window belongs).
    explicit ProcessFamily(DWORD root = 0);

    // Whether the window belongs to a process of the family.
    bool Owns(HWND window);
    // Takes in the processes that members started since the last look. A child is known by its
    // parent's id, so the family looks often while the game starts: a process that started a
    // child and ended before a look would leave that child unknown.
    void LookForChildren();

private:
    std::vector<DWORD> members_;
    // Processes found outside the family. A process's parent never changes, so they stay outside.
    std::vector<DWORD> strangers_;
};
