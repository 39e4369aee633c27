#pragma once
// Dialog 1100: one item's title, custom icon and hotkey.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "config/dock.h"
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

// What one run of the dialog works on; lParam of WM_INITDIALOG points to it.
// dock.state.commands.editedItemIndex names the item.
struct ItemSettingsRun {
    Dock& dock;
    HINSTANCE instance;
    IconBrowseRequest& browse;
};

INT_PTR CALLBACK itemSettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally, without owner, for dock.state.commands.editedItemIndex.
// `browse` is the request the browse button reuses from run to run.
void runItemSettingsDialog(Dock& dock, HINSTANCE instance, IconBrowseRequest& browse);

}  // namespace dock
