/* Run beside a dock whose 全屏避让 and 总在最前 are on: covers the dock's
   monitor with a borderless window in the foreground, waits for the dock
   window to give up WS_EX_TOPMOST, closes the window and waits for the dock
   to take it back. Exit status: 0 when all of that happened, otherwise the
   number of the step that did not. */
#include <windows.h>

enum { kDeadlineMs = 30000 };

static BOOL CALLBACK findDock(HWND window, LPARAM found) {
    char name[16];
    if (IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) &&
        lstrcmpA(name, "#32770") == 0 && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED)) {
        *(HWND*)found = window;
        return FALSE;
    }
    return TRUE;
}

static BOOL dockOnTop(HWND dock) {
    return (GetWindowLongA(dock, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

/* Pumps this thread's messages until the dock's topmost style is `wanted`. */
static BOOL waitForTopmost(HWND dock, BOOL wanted) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kDeadlineMs) {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (dockOnTop(dock) == wanted) return TRUE;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    HWND dock = NULL;
    DWORD start = GetTickCount();
    while (dock == NULL && GetTickCount() - start < kDeadlineMs) {
        EnumWindows(findDock, (LPARAM)&dock);
        if (dock == NULL) Sleep(50);
    }
    if (dock == NULL) return 1;
    if (!waitForTopmost(dock, TRUE)) return 2;

    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dock, MONITOR_DEFAULTTONEAREST), &monitor);
    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = "FullScreenProbe";
    RegisterClassA(&windowClass);
    const RECT* r = &monitor.rcMonitor;
    HWND cover =
        CreateWindowExA(0, "FullScreenProbe", "full screen", WS_POPUP | WS_VISIBLE, r->left, r->top,
                        r->right - r->left, r->bottom - r->top, NULL, NULL, instance, NULL);
    if (cover == NULL) return 3;
    SetForegroundWindow(cover);
    if (GetForegroundWindow() != cover) return 3;
    if (!waitForTopmost(dock, FALSE)) return 4;

    DestroyWindow(cover);
    if (!waitForTopmost(dock, TRUE)) return 5;
    return 0;
}
