#pragma once
// Dialog 1100: one item's title, custom icon and hotkey.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "dock/dock_session_win32.h"
#include "items/item_settings.h"

namespace dock {

// The open-file request of the browse button with the buffers it points to.
// One lives for the whole run: the fields a browse does not set keep what the
// previous browse returned, so the filter chosen last is preselected.
struct IconBrowseRequest {
    OPENFILENAMEA request{};
    std::string filter;
    std::string initialDirectory;
    char file[kItemFieldBufferSize] = {};
    char fileTitle[kItemFieldBufferSize] = {};
};

// Sets what every browse sets: size, owner, instance, filter, the two
// buffers (254 spaces), the initial directory and the title.
void prepareIconBrowse(IconBrowseRequest& browse, HWND owner, HINSTANCE instance,
                       const std::string& programDirectory);

// lParam of WM_INITDIALOG is the DockSession; dock.state.editedItemIndex
// names the item.
INT_PTR CALLBACK itemSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, without owner, for dock.state.editedItemIndex.
void runItemSettingsDialog(DockSession& session);

}  // namespace dock
