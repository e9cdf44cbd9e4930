#include "ui/program_icon.h"

#include "resource_ids.h"

namespace ui {

HICON ProgramIcon(bool small) {
    const int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    const int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CORVALINK), IMAGE_ICON, cx, cy, LR_SHARED));
}

}  // namespace ui
