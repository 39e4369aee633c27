#pragma once
// "添加项目(&N)...": the open-file dialog whose chosen files become items.
#include <windows.h>

#include "config/dock.h"

namespace dock {

// Asks for files (several may be chosen) and adds them like a drop at the
// point where the context menu was opened. Cancelling adds nothing.
void addItemsFromDialog(Dock& dock, HINSTANCE instance);

}  // namespace dock
