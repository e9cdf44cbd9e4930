// ProcessPrioBas: The priority class of the program's own process.
#pragma once
#include <windows.h>

// Sets the process's priority class (IDLE_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS, ...); when
// the process cannot be opened or the class not set, the priority stays as it was.
void SetProcessPriority(DWORD priorityClass);
