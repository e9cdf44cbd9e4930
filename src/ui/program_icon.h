// The program icon, at the sizes the system asks for.
#pragma once
#include <windows.h>

namespace ui {

// Shared icon handles: owned by the system, never destroyed by the caller.
HICON ProgramIcon(bool small);

}  // namespace ui
