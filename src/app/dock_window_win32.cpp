#include "app/dock_window_win32.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "app/context_menu_win32.h"
#include "config/configuration.h"
#include "features/dpi/dpi_awareness_win32.h"
#include "features/dpi/dpi_change.h"
#include "features/fullscreen_avoidance/fullscreen_avoidance.h"
#include "features/arranging/item_drag.h"
#include "features/keyboard_mode/keyboard_mode.h"
#include "features/keyboard_mode/keyboard_win32.h"
#include "app/launch.h"
#include "app/placement.h"
#include "app/startup.h"
#include "features/auto_hide/auto_hide.h"
#include "items/drop_win32.h"
#include "app/tick.h"
#include "support/fatal.h"
#include "resource_ids.h"

namespace dock {
namespace {

void setDragFullWindows(std::int32_t value) {
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, static_cast<UINT>(value), nullptr, 0);
}

std::int32_t dragFullWindows() {
    BOOL value = FALSE;
    ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &value, 0);
    return value;
}

void onInitDialog(DockProgram& program, HWND window) {
    DockSession& session = program.Session();
    session.dockWindow = window;
    session.ended = false;
    program.AttachWindow(window);
    // Closing before the dock was ever activated restores this value: it must
    // be the user's own setting, not an arbitrary zero.
    session.savedDragFullWindows = dragFullWindows();
    startDock(session.dock, session.features);
}

void onActivate(DockSession& session, WPARAM how) {
    if (how == WA_ACTIVE || how == WA_CLICKACTIVE) {
        session.savedDragFullWindows = dragFullWindows();
        // Layered windows move with their contents only when this is on.
        if (session.savedDragFullWindows == 0) setDragFullWindows(1);
    } else if (how == WA_INACTIVE) {
        setDragFullWindows(session.savedDragFullWindows);
    }
}

void onLeftButtonDown(DockSession& session) {
    Dock& dock = session.dock;
    if (dock.state.frame.hoverIndex != 0 || dock.settings.locked != 0) return;
    const RectI before = dock.platform.window.WindowRect();
    ::ReleaseCapture();
    const HideHold shown(session.features.autoHide);
    // Returns once the user lets go; the new place is saved like any change.
    ::SendMessageA(session.dockWindow, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    if (dock.platform.window.WindowRect() != before) dockMovedByUser(dock);
}

// The dock has no frame: client coordinates are window coordinates.
PointI pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

PointI systemDragDistance() {
    return {::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG)};
}

// The keys the dialog passes on: keyboard mode's keys, and Escape, which ends
// a drag or else closes the dock.
INT_PTR onKeyMessage(DockSession& session, HWND window, UINT message, WPARAM wParam,
                     LPARAM lParam) {
    Dock& dock = session.dock;
    FeatureStates& features = session.features;
    switch (message) {
        case WM_GETDLGCODE:
            if (takeDialogKeys(dock, features.keyboard, window, lParam)) return TRUE;
            if (!isEscapePress(wParam, lParam)) return FALSE;
            if (!cancelItemDrag(dock, features.drag)) closeDock(session);
            return TRUE;
        case WM_KEYDOWN: {
            int launch = 0;
            const bool held = onSelectionKey(dock, features.keyboard, wParam, launch);
            launchItem(dock, features, launch);
            return held;
        }
        case WM_CHAR:
            return onTypedCharacter(dock, features.keyboard, wParam);
        default:
            return FALSE;
    }
}

// The pointer's buttons: an item pressed, dragged and released, the dock
// moved by its empty area, a launch on a double click, the menu on the right.
INT_PTR onPointerMessage(DockSession& session, HWND window, UINT message, WPARAM wParam,
                         LPARAM lParam) {
    Dock& dock = session.dock;
    FeatureStates& features = session.features;
    switch (message) {
        case WM_LBUTTONDOWN:
            hoverAtButton(dock, features, pointOf(lParam));
            if (dock.state.frame.hoverIndex != 0)
                pressItem(dock, features.drag, pointOf(lParam));
            else
                onLeftButtonDown(session);
            return FALSE;
        case WM_MOUSEMOVE:
            movePressedPointer(dock, features.drag, pointOf(lParam), systemDragDistance());
            return FALSE;
        case WM_LBUTTONUP:
            // A drag off the strip waits for the delete confirmation.
            if (session.closes.RunCommand(
                    dock.state, [&] { releaseItem(dock, features.drag, pointOf(lParam)); }))
                shutdownDock(session);
            return FALSE;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window) cancelItemDrag(dock, features.drag);
            return FALSE;
        case WM_LBUTTONDBLCLK:
            if (dock.state.commands.busy) return FALSE;
            hoverAtButton(dock, features, pointOf(lParam));
            launchItem(dock, features, dock.state.frame.hoverIndex, (wParam & MK_SHIFT) != 0);
            return FALSE;
        case WM_RBUTTONUP:
            if (cancelItemDrag(dock, features.drag) || dock.state.commands.busy) return FALSE;
            hoverAtButton(dock, features, pointOf(lParam));
            showContextMenu(session);
            return FALSE;
        default:
            return FALSE;
    }
}

// A display, work area or DPI change: the dock stays on a screen, at the
// display's scale.
INT_PTR onDisplayMessage(Dock& dock, FeatureStates& features, UINT message, WPARAM wParam,
                         LPARAM lParam) {
    switch (message) {
        case WM_SETTINGCHANGE:
            if (wParam != SPI_SETWORKAREA) return FALSE;
            [[fallthrough]];
        case WM_DISPLAYCHANGE:
            showDockAtOnce(dock, features.autoHide);
            keepDockOnScreen(dock);
            return FALSE;
        case WM_DPICHANGED: {
            // Handled here: the dialog manager's own rescaling would size the
            // window by its template, not by the row. Without the setting the
            // dock keeps its classic sizes wherever it is.
            if (!dpiAwarenessDeclared()) return FALSE;
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            cancelItemDrag(dock, features.drag);
            changeDpi(dock, HIWORD(wParam), {suggested->left, suggested->top});
            return TRUE;
        }
        default:
            return FALSE;
    }
}

INT_PTR onHotkey(Dock& dock, FeatureStates& features, HWND window, WPARAM id, LPARAM lParam) {
    if (dock.state.commands.busy) return FALSE;
    if (id == kKeyboardHotkeyId)
        onKeyboardHotkey(dock, features.keyboard, window, features.drag.Holding());
    else
        dispatchHotkey(dock, features, id, static_cast<std::uintptr_t>(lParam));
    return TRUE;
}

// The program runDock (or a test) gave as the dialog's creation parameter;
// null before WM_INITDIALOG has stored it.
DockProgram* programOf(HWND window) {
    return reinterpret_cast<DockProgram*>(::GetWindowLongPtrA(window, DWLP_USER));
}

}  // namespace

INT_PTR CALLBACK dockProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        auto* program = reinterpret_cast<DockProgram*>(lParam);
        if (program != nullptr) onInitDialog(*program, window);
        return FALSE;
    }
    DockProgram* program = programOf(window);
    if (program == nullptr) return FALSE;
    DockSession& session = program->Session();
    Dock& dock = session.dock;
    FeatureStates& features = session.features;
    const WindowMessage decoded{message, wParam, static_cast<std::intptr_t>(lParam)};
    if (const std::optional<std::intptr_t> answer = featureMessage(dock, features, decoded))
        return static_cast<INT_PTR>(*answer);
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE)
                leaveKeyboardMode(dock, features.keyboard, ModeEnd::keepForeground);
            onActivate(session, wParam);
            return FALSE;
        case WM_CLOSE:
            closeDock(session);
            return TRUE;
        case WM_GETDLGCODE:
        case WM_KEYDOWN:
        case WM_CHAR:
            return onKeyMessage(session, window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONUP:
            return onPointerMessage(session, window, message, wParam, lParam);
        case WM_DROPFILES:
            handleDroppedFiles(dock, reinterpret_cast<HDROP>(wParam),
                               [&](Dock& d, const std::vector<std::string>& paths) {
                                   return openDroppedFiles(d, features, paths);
                               });
            return FALSE;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
        case WM_DPICHANGED:
            return onDisplayMessage(dock, features, message, wParam, lParam);
        case WM_QUERYENDSESSION:
            saveConfiguration(dock);
            return FALSE;
        case WM_HOTKEY:
            return onHotkey(dock, features, window, wParam, lParam);
        default:
            return FALSE;
    }
}

void CALLBACK onAnimationTick(HWND window, UINT, UINT_PTR, DWORD) {
    DockProgram* program = programOf(window);
    if (program != nullptr && !FatalReportShowing())
        animationTick(program->GetDock(), program->Features());
}

void closeDock(DockSession& session) {
    if (session.closes.CloseNow())
        shutdownDock(session);
    else
        endCommandWaits(session);
}

void shutdownDock(DockSession& session) {
    if (session.ended) return;
    session.ended = true;
    setDragFullWindows(session.savedDragFullWindows);
    stopDock(session.dock, session.features);
    session.menuHandle.reset();
    ::EndDialog(session.dockWindow, 0);
}

INT_PTR runDock(DockProgram& program) {
    DockSession& session = program.Session();
    session.menuHandle.reset(::LoadMenuA(session.instanceHandle, MAKEINTRESOURCEA(IDM_CONTEXT)));
    return ::DialogBoxParamA(session.instanceHandle, MAKEINTRESOURCEA(IDD_DOCK), nullptr,
                             &dockProcedure, reinterpret_cast<LPARAM>(&program));
}

}  // namespace dock
