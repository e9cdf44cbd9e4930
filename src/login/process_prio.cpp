#include "login/process_prio.h"

#include "base/handles.h"

void SetProcessPriority(DWORD priorityClass) {
    const base::ScopedHandle process(
        OpenProcess(PROCESS_SET_INFORMATION | PROCESS_DUP_HANDLE, TRUE, GetCurrentProcessId()));
    if (process) SetPriorityClass(process.get(), priorityClass);
}
