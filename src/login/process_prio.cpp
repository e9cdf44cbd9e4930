#include "login/process_prio.h"

void SetProcessPriority(DWORD priorityClass) {
    HANDLE process = OpenProcess(PROCESS_SET_INFORMATION | PROCESS_DUP_HANDLE, TRUE, GetCurrentProcessId());
    if (!process) return;
    SetPriorityClass(process, priorityClass);
    CloseHandle(process);
}
