#include "app/context_menu_win32.h"

#include <cstdint>
#include <cstring>

#include "app/dock_window_win32.h"
#include "resource_ids.h"
#include "config/configuration.h"
#include "config/extended_settings.h"
#include "config/blocked_dock.h"
#include "features/arranging/delete_item.h"
#include "config/on_top.h"
#include "app/extended_commands.h"
#include "features/keyboard_mode/keyboard_mode.h"
#include "app/program_settings_dialog_win32.h"
#include "features/autostart/run_key_win32.h"
#include "features/arranging/add_items_dialog_win32.h"
#include "features/auto_hide/auto_hide.h"
#include "items/item_settings_dialog_win32.h"
#include "support/program_directory_win32.h"

namespace dock {
namespace {

HMENU popupOf(const DockSession& session) {
    return ::GetSubMenu(session.menuHandle.get(), 0);
}

// The setting decides; the mark only shows it (the menu sets it on opening).
void toggleMarkedSetting(DockSession& session, UINT command, std::int32_t& setting) {
    setting = setting != 0 ? 0 : 1;
    ::CheckMenuItem(popupOf(session), command,
                    MF_BYCOMMAND | (setting != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void toggleLock(DockSession& session) {
    toggleMarkedSetting(session, IDM_LOCK_POSITION, session.dock.settings.locked);
    markSaveDue(session.dock);
}

void toggleAlwaysOnTop(DockSession& session) {
    Dock& dock = session.dock;
    const RectI rect = dock.platform.window.WindowRect();
    toggleMarkedSetting(session, IDM_ALWAYS_ON_TOP, dock.settings.alwaysOnTop);
    // While a full-screen program has the dock give way, the new setting
    // waits for it to end.
    dock.platform.window.PlaceWindow(dockOnTop(dock), rect.left, rect.top, rect.Width(),
                                     rect.Height());
    markSaveDue(dock);
}

// The check entries of the 扩展功能 submenu show the current values.
void markExtendedSettings(DockSession& session) {
    HMENU popup = popupOf(session);
    for (const ExtendedSetting& setting : kExtendedSettings) {
        if (setting.menuCommand == kNoMenuEntry) continue;
        const bool on = extendedEntryChecked(session.dock.settings, setting);
        ::CheckMenuItem(popup, setting.menuCommand,
                        MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    }
}

// True when `command` was an entry of the 扩展功能 submenu.
bool toggleExtendedCommand(DockSession& session, UINT command) {
    const ExtendedSetting* setting = extendedSettingOfCommand(command);
    if (setting == nullptr) return false;
    switchExtendedSetting(session.dock, session.features, *setting);
    markExtendedSettings(session);
    return true;
}

// The button that leaves everything as it was: No in the delete confirmation,
// Cancel in the icon file dialog, 取消 in either settings dialog, and OK in
// the hotkey-failure box, its only button.
constexpr int kUnchangingButtons[] = {IDNO, IDCANCEL, IDC_ITEM_CANCEL, IDC_PROGRAM_CANCEL, IDOK};

BOOL CALLBACK endWaitingDialog(HWND window, LPARAM dockWindow) {
    char name[16] = {};
    if (window == reinterpret_cast<HWND>(dockWindow) || !::IsWindowVisible(window) ||
        ::GetClassNameA(window, name, sizeof name) == 0 || std::strcmp(name, "#32770") != 0)
        return TRUE;
    for (int id : kUnchangingButtons) {
        HWND button = ::GetDlgItem(window, id);
        if (button == nullptr) continue;
        ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
        break;
    }
    return TRUE;
}

}  // namespace

void endCommandWaits(DockSession& session) {
    ::EndMenu();
    // Each nested loop returns once control is back in it: inner waits first,
    // then the dialog or confirmation they were opened from.
    ::EnumThreadWindows(::GetCurrentThreadId(), &endWaitingDialog,
                        reinterpret_cast<LPARAM>(session.dockWindow));
}

void prepareContextMenu(DockSession& session) {
    const DockState& state = session.dock.state;
    const UINT itemEntries = state.commands.menuTargetIndex == 0 ? MF_DISABLED : MF_ENABLED;
    ::EnableMenuItem(session.menuHandle.get(), IDM_ITEM_SETTINGS, MF_BYCOMMAND | itemEntries);
    ::EnableMenuItem(session.menuHandle.get(), IDM_DELETE_ITEM, MF_BYCOMMAND | itemEntries);
    HMENU popup = popupOf(session);
    const DockSettings& settings = session.dock.settings;
    ::CheckMenuItem(popup, IDM_LOCK_POSITION,
                    MF_BYCOMMAND | (settings.locked != 0 ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(popup, IDM_ALWAYS_ON_TOP,
                    MF_BYCOMMAND | (settings.alwaysOnTop != 0 ? MF_CHECKED : MF_UNCHECKED));
    markExtendedSettings(session);
    // Another program may have let go of the dock's hotkey since. The entry
    // stays enabled either way: it must always be able to switch the mode off.
    applyKeyboardHotkey(session.dock, session.features.keyboard);
    Win32RunKey runKey;
    const bool starts = startsWithWindows(runKey, ProgramPath(), session.dock.leadBytes);
    ::CheckMenuItem(popup, IDM_START_WITH_WINDOWS,
                    MF_BYCOMMAND | (starts ? MF_CHECKED : MF_UNCHECKED));
}

void carryOutMenuCommand(DockSession& session, UINT command) {
    Dock& dock = session.dock;
    switch (command) {
        case IDM_ITEM_SETTINGS: {
            const BlockedDock blocked(dock);
            dock.state.commands.editedItemIndex = dock.state.commands.menuTargetIndex;
            runItemSettingsDialog(dock, session.instanceHandle, session.iconBrowse);
            break;
        }
        case IDM_DELETE_ITEM:
            deleteItem(dock, dock.state.commands.menuTargetIndex);
            break;
        case IDM_PROGRAM_SETTINGS: {
            const BlockedDock blocked(dock);
            runProgramSettingsDialog(dock, session.instanceHandle);
            break;
        }
        case IDM_EXIT:
            shutdownDock(session);
            break;
        case IDM_LOCK_POSITION:
            toggleLock(session);
            break;
        case IDM_ALWAYS_ON_TOP:
            toggleAlwaysOnTop(session);
            break;
        case IDM_ADD_ITEMS: {
            const BlockedDock blocked(dock);
            addItemsFromDialog(dock, session.instanceHandle);
            break;
        }
        case IDM_START_WITH_WINDOWS: {
            Win32RunKey runKey;
            toggleStartWithWindows(runKey, ProgramPath(), dock.leadBytes);
            break;
        }
        default:
            toggleExtendedCommand(session, command);
            break;
    }
}

void showContextMenu(DockSession& session) {
    DockState& state = session.dock.state;
    const bool closed = session.closes.RunCommand(state, [&] {
        const HideHold shown(session.features.autoHide);
        state.commands.menuTargetIndex = state.frame.hoverIndex;
        state.commands.menuPointerX = state.frame.pointerX;
        POINT pointer{};
        ::GetCursorPos(&pointer);
        prepareContextMenu(session);
        // A menu whose owner is not the foreground window does not close on a
        // click elsewhere; the message after it makes the system notice the
        // menu has ended, so that the next one does not vanish at once.
        ::SetForegroundWindow(session.dockWindow);
        const UINT command = static_cast<UINT>(::TrackPopupMenu(
            popupOf(session), TPM_RETURNCMD, pointer.x, pointer.y, 0, session.dockWindow, nullptr));
        ::PostMessageA(session.dockWindow, WM_NULL, 0, 0);
        carryOutMenuCommand(session, command);
    });
    if (closed) shutdownDock(session);
}

}  // namespace dock
