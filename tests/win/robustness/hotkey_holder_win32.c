/* Another program holding a global hotkey: registers Ctrl+Shift+F10, signals
   the event named on its command line (if there is one) and waits until it is ended. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)show;
    if (!RegisterHotKey(NULL, 1, MOD_CONTROL | MOD_SHIFT, VK_F10)) return 2;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, commandLine);
    if (ready != NULL) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
