#include "dock/context_menu_win32.h"

#include "../../resources/resource_ids.h"
#include "config/configuration.h"
#include "config/extended_settings.h"
#include "dock/delete_item.h"
#include "dock/program_settings_dialog_win32.h"
#include "items/add_items_dialog_win32.h"
#include "items/item_settings_dialog_win32.h"

namespace dock {
namespace {

HMENU popupOf(const DockSession& session) {
    return ::GetSubMenu(session.menuHandle, 0);
}

// Sets the mark of `command` and reports whether it was already there.
bool markWasSet(HMENU popup, UINT command) {
    const DWORD previous = ::CheckMenuItem(popup, command, MF_BYCOMMAND | MF_CHECKED);
    return previous != static_cast<DWORD>(-1) && (previous & MF_CHECKED) != 0;
}

// The dock stays blocked (no ticks, no input) while a dialog runs.
template <typename Run>
void whileBlocked(Dock& dock, Run run) {
    dock.state.busy = true;
    dock.platform.window.StopTimer();
    run();
    dock.platform.window.ArmTimer(10);
    dock.state.busy = false;
}

void toggleLock(DockSession& session) {
    HMENU popup = popupOf(session);
    if (markWasSet(popup, IDM_LOCK_POSITION)) {
        ::CheckMenuItem(popup, IDM_LOCK_POSITION, MF_BYCOMMAND | MF_UNCHECKED);
        session.dock->settings.locked = 0;
    } else {
        session.dock->settings.locked = 1;
    }
    markSaveDue(*session.dock);
}

void toggleAlwaysOnTop(DockSession& session) {
    Dock& dock = *session.dock;
    const RectI rect = dock.platform.window.WindowRect();
    HMENU popup = popupOf(session);
    const bool wasOnTop = markWasSet(popup, IDM_ALWAYS_ON_TOP);
    if (wasOnTop) ::CheckMenuItem(popup, IDM_ALWAYS_ON_TOP, MF_BYCOMMAND | MF_UNCHECKED);
    dock.platform.window.PlaceWindow(!wasOnTop, rect.left, rect.top, rect.Width(), rect.Height());
    dock.settings.alwaysOnTop = wasOnTop ? 0 : 1;
    markSaveDue(dock);
}

// The check entries of the 扩展功能 submenu show the current values.
void markExtendedSettings(DockSession& session) {
    HMENU popup = popupOf(session);
    for (const ExtendedSetting& setting : kExtendedSettings) {
        const bool on = session.dock->settings.*setting.field != 0;
        ::CheckMenuItem(popup, setting.menuCommand,
                        MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }
}

// True when `command` was an entry of the 扩展功能 submenu.
bool toggleExtendedCommand(DockSession& session, UINT command) {
    const ExtendedSetting* setting = extendedSettingOfCommand(command);
    if (setting == nullptr) return false;
    toggleExtendedSetting(*session.dock, *setting);
    markExtendedSettings(session);
    markSaveDue(*session.dock);
    return true;
}

}  // namespace

void prepareContextMenu(DockSession& session) {
    const DockState& state = session.dock->state;
    const UINT itemEntries = state.menuTargetIndex == 0 ? MF_DISABLED : MF_ENABLED;
    ::EnableMenuItem(session.menuHandle, IDM_ITEM_SETTINGS, MF_BYCOMMAND | itemEntries);
    ::EnableMenuItem(session.menuHandle, IDM_DELETE_ITEM, MF_BYCOMMAND | itemEntries);
    HMENU popup = popupOf(session);
    const DockSettings& settings = session.dock->settings;
    ::CheckMenuItem(popup, IDM_LOCK_POSITION,
                    MF_BYCOMMAND | (settings.locked != 0 ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(popup, IDM_ALWAYS_ON_TOP,
                    MF_BYCOMMAND | (settings.alwaysOnTop != 0 ? MF_CHECKED : MF_UNCHECKED));
    markExtendedSettings(session);
}

void carryOutMenuCommand(DockSession& session, UINT command) {
    Dock& dock = *session.dock;
    switch (command) {
        case IDM_ITEM_SETTINGS:
            whileBlocked(dock, [&] {
                dock.state.editedItemIndex = dock.state.menuTargetIndex;
                runItemSettingsDialog(session);
            });
            break;
        case IDM_DELETE_ITEM:
            deleteItem(dock, dock.state.menuTargetIndex);
            break;
        case IDM_PROGRAM_SETTINGS:
            whileBlocked(dock, [&] { runProgramSettingsDialog(session); });
            break;
        case IDM_EXIT:
            shutdownDock(session);
            break;
        case IDM_LOCK_POSITION:
            toggleLock(session);
            break;
        case IDM_ALWAYS_ON_TOP:
            toggleAlwaysOnTop(session);
            break;
        case IDM_ADD_ITEMS:
            whileBlocked(dock, [&] { addItemsFromDialog(session); });
            break;
        default:
            toggleExtendedCommand(session, command);
            break;
    }
}

void showContextMenu(DockSession& session) {
    if (session.dock == nullptr) return;
    session.dock->state.menuTargetIndex = session.dock->state.hoverIndex;
    session.dock->state.menuPointerX = session.dock->state.pointerX;
    POINT pointer{};
    ::GetCursorPos(&pointer);
    prepareContextMenu(session);
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        popupOf(session), TPM_RETURNCMD, pointer.x, pointer.y, 0, session.dockWindow, nullptr));
    carryOutMenuCommand(session, command);
}

}  // namespace dock
