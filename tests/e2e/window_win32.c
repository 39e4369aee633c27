/* Started by the dock in the end-to-end tests of running programs: shows one
   visible window titled "RunningWindow" at 900, 600 and stays until a file
   quit.txt appears beside it. Appends to window.log beside itself "start" when
   it starts, "minimized" and "restored" as its window changes, and
   "foreground" or "background" whenever the system's foreground window
   becomes or stops being its window, each line followed by a blank and its
   process id, so that the lines of two copies can be told apart. A left
   click minimises the window. */
#include <windows.h>

static char logPath[MAX_PATH];
static char quitPath[MAX_PATH];
static int wasForeground = -1;

static void note(const char* line) {
    HANDLE file = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    char text[64];
    DWORD written = 0;
    wsprintfA(text, "%s %lu\r\n", line, GetCurrentProcessId());
    WriteFile(file, text, lstrlenA(text), &written, NULL);
    CloseHandle(file);
}

static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            const int foreground = GetForegroundWindow() == window;
            if (foreground != wasForeground) note(foreground ? "foreground" : "background");
            wasForeground = foreground;
            if (GetFileAttributesA(quitPath) != INVALID_FILE_ATTRIBUTES) DestroyWindow(window);
            return 0;
        }
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) note("minimized");
            if (wParam == SIZE_RESTORED) note("restored");
            return 0;
        case WM_LBUTTONUP:
            ShowWindow(window, SW_MINIMIZE);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

static void besideThisProgram(char* path, const char* name) {
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    char* slash = path;
    for (DWORD i = 0; i < length; ++i)
        if (path[i] == '\\') slash = path + i + 1;
    lstrcpyA(slash, name);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    besideThisProgram(logPath, "window.log");
    besideThisProgram(quitPath, "quit.txt");
    note("start");
    WNDCLASSA windowClass = {0};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = "RunningWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "RunningWindow", "RunningWindow", WS_OVERLAPPEDWINDOW, 900,
                                  600, 200, 120, NULL, NULL, instance, NULL);
    if (window == NULL) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    SetTimer(window, 1, 50, NULL);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
