#include "login/process_family.h"

#include <tlhelp32.h>

#include <algorithm>

#include "base/handles.h"

namespace {

bool Contains(const std::vector<DWORD>& ids, DWORD id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

ProcessFamily::ProcessFamily(DWORD root) {
    if (root) members_.push_back(root);
}

bool ProcessFamily::Owns(HWND window) {
    DWORD process = 0;
    if (members_.empty() || !window || !GetWindowThreadProcessId(window, &process)) return false;
    if (Contains(members_, process)) return true;
    if (Contains(strangers_, process)) return false;
    LookForChildren();
    if (Contains(members_, process)) return true;
    strangers_.push_back(process);
    return false;
}

void ProcessFamily::LookForChildren() {
    if (members_.empty()) return;
    const base::ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    std::vector<PROCESSENTRY32W> processes;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        processes.push_back(entry);
    // Grandchildren too: repeated until a pass finds nobody new.
    for (bool found = true; found;) {
        found = false;
        for (const PROCESSENTRY32W& p : processes)
            if (Contains(members_, p.th32ParentProcessID) && !Contains(members_, p.th32ProcessID) &&
                p.th32ProcessID != p.th32ParentProcessID) {
                members_.push_back(p.th32ProcessID);
                found = true;
            }
    }
}
