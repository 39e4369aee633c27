#pragma once
// "添加项目(&N)...": the open-file dialog whose chosen files become items.
#include "dock/dock_session_win32.h"

namespace dock {

// Asks for files (several may be chosen) and adds them like a drop at the
// point where the context menu was opened. Cancelling adds nothing.
void addItemsFromDialog(DockSession& session);

}  // namespace dock
